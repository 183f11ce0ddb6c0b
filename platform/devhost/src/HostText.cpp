#include "devhost/HostText.h"

#include "ov/ErrorInfo.h"

namespace devhost {

namespace {

constexpr QChar kHighlight = QChar(1);

// Calls piece(text, highlighted) for each stretch between highlight markers and lineBreak()
// for each line break; an unpaired marker highlights the rest of the text.
template <class Piece, class LineBreak>
void walkHostText(const QString& text, Piece piece, LineBreak lineBreak) {
    QString current;
    bool highlighted = false;
    auto flush = [&] {
        if (!current.isEmpty())
            piece(current, highlighted);
        current.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == kHighlight) {
            flush();
            highlighted = !highlighted;
        } else if (c == u'\r' || c == u'\n') {
            flush();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lineBreak();
        } else {
            current += c;
        }
    }
    flush();
}

} // namespace

QString toQString(ov::BSTR text) {
    const auto view = ov::bstrView(text);
    return QString::fromUtf16(view.data(), static_cast<qsizetype>(view.size()));
}

std::u16string_view utf16View(const QString& text) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                               static_cast<std::size_t>(text.size()));
}

ov::BSTR newBStr(const QString& text) {
    return ov::BStr(utf16View(text)).detach();
}

ov::HRESULT hostFailure(const QString& text) {
    return ov::fail(utf16View(text));
}

std::string toUtf8(ov::BSTR text) {
    return ov::utf16ToUtf8(ov::bstrView(text));
}

QString plainHostText(const QString& text, const QString& highlightOpen, const QString& highlightClose) {
    QString out;
    walkHostText(
        text,
        [&](const QString& piece, bool highlighted) {
            out += highlighted ? highlightOpen + piece + highlightClose : piece;
        },
        [&] { out += u'\n'; });
    return out;
}

QString richHostText(const QString& text) {
    QString out;
    walkHostText(
        text,
        [&](const QString& piece, bool highlighted) {
            out += highlighted ? QStringLiteral("<b>") + piece.toHtmlEscaped() + QStringLiteral("</b>")
                               : piece.toHtmlEscaped();
        },
        [&] { out += QStringLiteral("<br>"); });
    return out;
}

} // namespace devhost
