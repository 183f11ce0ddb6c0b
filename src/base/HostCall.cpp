#include "base/HostCall.h"

#include "base/PluginError.h"
#include "base/Text.h"
#include "ov/ErrorInfo.h"

namespace provozmat {

void checkHost(ov::HRESULT hr, const char* operation) {
    if (ov::succeeded(hr))
        return;
    QString text = fromU16(ov::takeErrorText());
    if (text.isEmpty())
        text = QStringLiteral("Volání %1 hostitele selhalo (0x%2)")
                   .arg(QString::fromLatin1(operation))
                   .arg(static_cast<quint32>(hr), 8, 16, QChar(u'0'));
    throw PluginError(text);
}

} // namespace provozmat
