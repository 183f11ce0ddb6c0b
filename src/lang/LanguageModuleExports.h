#pragma once
// The entry points a language module exports, as C functions. Each gets a message number
// (5,000,000 + catalogue index) and returns a zero-terminated text that stays valid until the
// module's next call; the plug-in reads it at once and never frees it. A null pointer or an
// empty text means that the module does not translate that message.
//
// A module exports one of:
//   extern "C" const char* CtiOznamID(std::uint32_t messageNumber);          // code page 1250
//   extern "C" const char* TranslateCP(std::uint32_t messageNumber, std::uint32_t* codePage);
//   extern "C" const char16_t* CtiOznamIDW(std::uint32_t messageNumber);     // UTF-16
//   extern "C" const char16_t* TranslateW(std::uint32_t messageNumber);      // UTF-16
// When it exports several, the first of that list decides how it is read.

#include <cstdint>

namespace provozmat {

using CtiOznamIDEntry = const char* (*)(std::uint32_t messageNumber);
using TranslateCPEntry = const char* (*)(std::uint32_t messageNumber, std::uint32_t* codePage);
using WideTextEntry = const char16_t* (*)(std::uint32_t messageNumber);

inline constexpr const char* kCtiOznamIDName = "CtiOznamID";
inline constexpr const char* kTranslateCPName = "TranslateCP";
inline constexpr const char* kCtiOznamIDWName = "CtiOznamIDW";
inline constexpr const char* kTranslateWName = "TranslateW";

} // namespace provozmat
