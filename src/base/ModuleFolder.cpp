#include "base/ModuleFolder.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace provozmat {

QString pluginModuleFolder() {
    Dl_info info{};
    static const int anchor = 0;
    if (dladdr(&anchor, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace provozmat
