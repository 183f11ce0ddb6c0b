#include "core/ApplicationExceptionHandler.h"

#include "base/Host.h"
#include "base/PluginError.h"
#include "lang/Messages.h"

#include <cstdio>

namespace provozmat {

namespace {
ov::ComPtr<ov::IOrvian>& handlerHost() {
    static ov::ComPtr<ov::IOrvian> orvian;
    return orvian;
}
} // namespace

void installApplicationExceptionHandler(ov::ComPtr<ov::IOrvian> orvian) {
    handlerHost() = std::move(orvian);
}

void releaseApplicationExceptionHandler(ov::IOrvian* orvian) {
    if (handlerHost().get() == orvian)
        handlerHost() = nullptr;
}

void handleApplicationException(const std::exception& e) noexcept {
    QString text;
    try {
        text = translatedExceptionText(exceptionText(e));
        if (handlerHost()) {
            Host(handlerHost()).showError(text);
            return;
        }
    } catch (...) {
        // The host's box failed too: fall back to the plain display below.
    }
    std::fprintf(stderr, "%s\n", (text.isEmpty() ? QString::fromUtf8(e.what()) : text).toUtf8().constData());
}

} // namespace provozmat
