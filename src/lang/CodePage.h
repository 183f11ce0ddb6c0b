#pragma once
// Conversion of 8-bit text in a Windows code page to the plug-in's strings.

#include <QString>

#include <cstdint>
#include <string_view>

namespace provozmat {

// Code page of the texts that language modules give without naming one.
inline constexpr std::uint32_t kCodePageCentralEurope = 1250;

// Decodes bytes written in the Windows code page codePage (1250, 852, 65001, ...). A code
// page without a converter, or one whose characters are wider than one byte at minimum
// (UTF-16, UTF-32), raises a PluginError naming it.
QString decodeCodePage(std::string_view bytes, std::uint32_t codePage);

} // namespace provozmat
