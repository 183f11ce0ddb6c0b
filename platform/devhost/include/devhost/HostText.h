#pragma once
// Texts as they cross the host boundary (UTF-16 BSTRs) and as the host shows them: the plug-in
// writes line breaks as \r and marks highlighted values with a pair of char(1) characters.

#include "ov/BStr.h"
#include "ov/HResult.h"

#include <QString>

#include <string>

namespace devhost {

QString toQString(ov::BSTR text);
ov::BSTR newBStr(const QString& text); // for an out-parameter; the caller frees it
std::string toUtf8(ov::BSTR text);
std::u16string_view utf16View(const QString& text);

// Sets the error text and returns a failure, for an operation that fails.
ov::HRESULT hostFailure(const QString& text);

// The text with \r (and \r\n) as \n and each highlighted value between the markers given.
QString plainHostText(const QString& text, const QString& highlightOpen = QStringLiteral("»"),
                      const QString& highlightClose = QStringLiteral("«"));
// The text as rich text for a message box: escaped, line breaks as <br>, highlights in bold.
QString richHostText(const QString& text);

} // namespace devhost
