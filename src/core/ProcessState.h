#pragma once
// What the plug-in keeps between runs within one process.

#include <QString>

#include <cstdint>
#include <optional>

namespace provozmat {

// The icon set the host user works with (the icon data module's one setting).
struct IconSet {
    int sadaIkonek = 0;
};

struct PluginProcessState {
    bool definitionsPrepared = false;
    std::optional<IconSet> iconSet;     // created once
    int legislativa = -1;               // -1: not read yet
    std::uint64_t mainWindowHandle = 0; // the host's application window
    std::uint64_t applicationIcon = 0;
    QString fontName;
    int fontHeight = 0;
    int fontCharset = 0;
};

PluginProcessState& pluginProcessState();

} // namespace provozmat
