#include "base/Format.h"

#include "base/PluginError.h"

#include <vector>

namespace provozmat {

namespace {

[[noreturn]] void badFormat(const QString& format) {
    throw PluginError(QStringLiteral("Formát '%1' neodpovídá svým argumentům").arg(format));
}

QString numberText(const FormatArg& arg, QChar type, int precision, const QString& format) {
    return std::visit(
        [&](const auto& v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>) {
                if (type == u's')
                    return precision >= 0 ? v.left(precision) : v;
                badFormat(format);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                switch (type.unicode()) {
                case u's':
                    return QString::number(v);
                case u'd':
                case u'u': {
                    QString digits = QString::number(v < 0 ? -static_cast<unsigned long long>(v)
                                                           : static_cast<unsigned long long>(v));
                    if (precision > digits.size())
                        digits = QString(precision - digits.size(), u'0') + digits;
                    return v < 0 ? u'-' + digits : digits;
                }
                case u'x': {
                    QString digits = QString::number(static_cast<unsigned long long>(v), 16).toUpper();
                    if (precision > digits.size())
                        digits = QString(precision - digits.size(), u'0') + digits;
                    return digits;
                }
                case u'f':
                    return QString::number(static_cast<double>(v), 'f', precision >= 0 ? precision : 2);
                case u'g':
                    return QString::number(static_cast<double>(v), 'g', precision >= 0 ? precision : 15);
                default:
                    badFormat(format);
                }
            } else {
                switch (type.unicode()) {
                case u'f':
                    return QString::number(v, 'f', precision >= 0 ? precision : 2);
                case u'g':
                case u's':
                    return QString::number(v, 'g', precision >= 0 ? precision : 15);
                default:
                    badFormat(format);
                }
            }
        },
        arg.value());
}

} // namespace

QString format(const QString& format, std::initializer_list<FormatArg> argList) {
    const std::vector<FormatArg> args(argList);
    QString out;
    out.reserve(format.size() + 16 * static_cast<qsizetype>(args.size()));
    std::size_t next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (++i >= n)
            badFormat(format);
        if (format[i] == u'%') {
            out += u'%';
            continue;
        }
        // Optional argument index followed by ':'.
        qsizetype j = i;
        while (j < n && format[j].isDigit())
            ++j;
        if (j < n && j > i && format[j] == u':') {
            next = format.mid(i, j - i).toULongLong();
            i = j + 1;
        }
        bool left = false;
        if (i < n && format[i] == u'-') {
            left = true;
            ++i;
        }
        int width = 0;
        while (i < n && format[i].isDigit())
            width = width * 10 + format[i++].digitValue();
        int precision = -1;
        if (i < n && format[i] == u'.') {
            ++i;
            precision = 0;
            while (i < n && format[i].isDigit())
                precision = precision * 10 + format[i++].digitValue();
        }
        if (i >= n)
            badFormat(format);
        const QChar type = format[i].toLower();
        if (next >= args.size())
            badFormat(format);
        QString text = numberText(args[next++], type, precision, format);
        if (text.size() < width)
            text = left ? text.leftJustified(width) : text.rightJustified(width);
        out += text;
    }
    return out;
}

} // namespace provozmat
