#include "core/HostLook.h"

#include "base/Host.h"
#include "core/ProcessState.h"

#include <QApplication>
#include <QFont>

#include <cstdlib>

namespace provozmat {

void adoptHostLook(const Host& host, PluginProcessState& state) {
    const std::uint64_t handle = host.applicationHandle();
    if (handle != state.mainWindowHandle)
        state.mainWindowHandle = handle;
    const std::uint64_t icon = host.applicationIcon();
    if (icon != state.applicationIcon)
        state.applicationIcon = icon;

    state.fontCharset = host.fontCharset();
    state.fontName = host.fontName();
    state.fontHeight = host.fontHeight();

    // Without an application object (a console host) there are no windows to dress.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QFont font = QApplication::font();
    if (!state.fontName.isEmpty())
        font.setFamily(state.fontName);
    // The host's height is the character height in pixels (negative) or the cell height.
    if (state.fontHeight != 0)
        font.setPixelSize(std::abs(state.fontHeight));
    QApplication::setFont(font);
    QApplication::setFont(font, "QMenu");
}

} // namespace provozmat
