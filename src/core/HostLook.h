#pragma once
// Adopting the host's look for the plug-in's windows: its main window, icon and fonts.

namespace provozmat {

class Host;
struct PluginProcessState;

void adoptHostLook(const Host& host, PluginProcessState& state);

} // namespace provozmat
