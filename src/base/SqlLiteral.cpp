#include "base/SqlLiteral.h"

#include "base/Numbers.h"
#include "base/PluginError.h"

#include <cmath>

namespace provozmat::sql {

namespace {
QString quoted(const QString& value) {
    QString out;
    out.reserve(value.size() + 2);
    out += u'\'';
    for (const QChar c : value) {
        out += c;
        if (c == u'\'')
            out += u'\'';
    }
    out += u'\'';
    return out;
}
} // namespace

QString text(const QString& value) {
    return u'N' + quoted(value);
}

QString ansiText(const QString& value) {
    return quoted(value);
}

QString integer(std::int64_t value) {
    return QString::number(value);
}

QString decimal(double value) {
    if (!std::isfinite(value))
        throw PluginError(QStringLiteral("Hodnotu %1 nelze zapsat jako číslo").arg(value));
    return formatDecimal(value);
}

QString null() {
    return QStringLiteral("NULL");
}

QString optionalText(const std::optional<QString>& value) {
    return value ? text(*value) : null();
}

QString optionalInteger(const std::optional<std::int64_t>& value) {
    return value ? integer(*value) : null();
}

QString optionalDecimal(const std::optional<double>& value) {
    return value ? decimal(*value) : null();
}

bool isRegularIdentifier(const QString& name) {
    if (name.isEmpty() || name.size() > 128)
        return false;
    const QChar first = name.front();
    if (!(first.isLetter() || first == u'_' || first == u'@' || first == u'#'))
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$'))
            return false;
    return true;
}

QString bracketedName(const QString& name) {
    QString out = QStringLiteral("[");
    for (const QChar c : name) {
        out += c;
        if (c == u']')
            out += u']';
    }
    return out + u']';
}

} // namespace provozmat::sql
