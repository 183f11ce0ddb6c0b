#pragma once
// The server keeps varchar text in the database's code page, Windows-1250 for the Czech
// collation: characters outside it become '?', and varchar <-> binary sees its single bytes.

#include <string>
#include <string_view>

namespace tsql::detail {

// UTF-8 text with every character that Windows-1250 lacks replaced by '?'.
std::string toCodePageRepertoire(std::string_view utf8);
// UTF-8 text as Windows-1250 bytes, and back.
std::string encodeCodePage(std::string_view utf8);
std::string decodeCodePage(std::string_view bytes);
// UTF-8 text as UTF-16LE bytes (nvarchar as binary), and back (an odd last byte is dropped).
std::string encodeUtf16Le(std::string_view utf8);
std::string decodeUtf16Le(std::string_view bytes);

} // namespace tsql::detail
