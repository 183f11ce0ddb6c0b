#include "base/ModuleFolder.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace provozmat {

QString pluginModuleFile() {
    Dl_info info{};
    static const int anchor = 0;
    if (dladdr(&anchor, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

QString pluginModuleFolder() {
    const QString file = pluginModuleFile();
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

} // namespace provozmat
