#pragma once
// Conversions between the plug-in's strings and the boundary's length-prefixed strings.

#include "ov/BStr.h"

#include <QString>

namespace provozmat {

inline QString fromBStr(const char16_t* text) {
    const auto view = ov::bstrView(text);
    return QString(reinterpret_cast<const QChar*>(view.data()), static_cast<qsizetype>(view.size()));
}

inline ov::BStr toBStr(const QString& text) {
    return ov::BStr(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<std::size_t>(text.size())));
}

inline QString fromU16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The character that marks a value for highlighting in host message boxes, on both sides.
inline constexpr QChar kHighlight = QChar(1);
// Line separator of host message boxes.
inline constexpr QChar kLineBreak = QChar('\r');

// The value between two highlight marks.
inline QString highlighted(const QString& value) {
    return kHighlight + value + kHighlight;
}

} // namespace provozmat
