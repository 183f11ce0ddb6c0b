#include "base/PluginError.h"

namespace provozmat {

QString exceptionText(const std::exception& e) {
    if (const auto* plugin = dynamic_cast<const PluginError*>(&e))
        return plugin->message();
    return QString::fromUtf8(e.what());
}

} // namespace provozmat
