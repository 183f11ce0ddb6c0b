#pragma once
// The About window of the plug-in list: the plug-in's public name, system name and version.

namespace provozmat {

class Host;

// Modal; returns when it is closed. Without a window system the host's message box shows
// the same lines.
void showAboutWindow(const Host& host);

} // namespace provozmat
