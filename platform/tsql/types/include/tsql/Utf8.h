#pragma once
// Counting and cutting UTF-8 text in the units SQL Server measures: characters for varchar (one byte
// each in the server's single-byte code page), UTF-16 code units for nvarchar.

#include <cstddef>
#include <string>
#include <string_view>

namespace tsql::detail {

std::size_t countCodePoints(std::string_view utf8);
std::size_t countUtf16Units(std::string_view utf8);
// Length in the units of the given kind of type.
inline std::size_t textLength(std::string_view utf8, bool unicode) {
    return unicode ? countUtf16Units(utf8) : countCodePoints(utf8);
}
// The longest prefix of at most `units` units; a surrogate pair is never split.
std::string_view prefixOfLength(std::string_view utf8, std::size_t units, bool unicode);
// UTF-8 <-> UTF-16.
std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

} // namespace tsql::detail
