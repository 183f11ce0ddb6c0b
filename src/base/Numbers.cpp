#include "base/Numbers.h"

#include "base/PluginError.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <string>

namespace provozmat {

int parseInt(const QString& text, const QString& defaultText) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        return value;
    const int fallback = defaultText.trimmed().toInt(&ok);
    if (!ok)
        throw PluginError(QStringLiteral("'%1' není platné celé číslo").arg(defaultText));
    return fallback;
}

std::optional<double> parseDecimal(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatDecimal(double value) {
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

namespace {

enum class Mode { RoundHalfAway, Truncate };

// Works on the 15-significant-digit decimal reading of the value, so that the result is the
// one a person expects from the digits that were entered or computed.
double toPlaces(double value, int places, Mode mode) {
    if (!std::isfinite(value) || places < 0 || places > 15)
        return value;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", 14, std::fabs(value));
    // buffer: d.dddddddddddddde±XX
    std::string mantissa;
    mantissa += buffer[0];
    mantissa.append(buffer + 2, 14);
    const int exponent = std::atoi(buffer + 17);
    // Digits of the integer part are mantissa[0 .. exponent]; keep exponent + 1 + places digits.
    const int keep = exponent + 1 + places;
    if (keep >= static_cast<int>(mantissa.size()))
        return value;
    long double kept = 0;
    bool roundUp = false;
    if (keep > 0) {
        for (int i = 0; i < keep; ++i)
            kept = kept * 10 + (mantissa[static_cast<std::size_t>(i)] - '0');
        roundUp = mode == Mode::RoundHalfAway && mantissa[static_cast<std::size_t>(keep)] >= '5';
    } else {
        roundUp = mode == Mode::RoundHalfAway && keep == 0 && mantissa[0] >= '5';
    }
    if (roundUp)
        kept += 1;
    const long double result = kept / std::pow(10.0L, places);
    return static_cast<double>(value < 0 ? -result : result);
}

} // namespace

double roundHalfAwayFromZero(double value, int places) {
    return toPlaces(value, places, Mode::RoundHalfAway);
}

double truncateTo(double value, int places) {
    return toPlaces(value, places, Mode::Truncate);
}

} // namespace provozmat
