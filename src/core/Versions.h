#pragma once
// Version numbers of the host, of SQL Server and of the plug-in, and their text forms.
// Host and plug-in versions are 64-bit: the high half holds the generation in its second byte
// (0x00000200 = 2.0), the low half a date as eight BCD digits YYYYMMDD. A SQL Server version
// is 32-bit: major, minor and build at bits 24, 16 and 0.

#include <QString>

#include <cstdint>

namespace provozmat {

constexpr std::uint64_t makeVersion(std::uint32_t high, std::uint32_t low) {
    return (std::uint64_t{high} << 32) | low;
}
constexpr std::int32_t makeSqlServerVersion(int major, int minor, int build) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(major) << 24) |
                                     (static_cast<std::uint32_t>(minor) << 16) |
                                     static_cast<std::uint32_t>(build));
}

// The generation byte of a host or plug-in version (0x02 for 0x00000200_…).
constexpr int versionMajor(std::uint64_t version) {
    return static_cast<int>((version >> 40) & 0xFF);
}

// Text form 0 to 6 of a version; any other form gives an empty text.
//   0: A.B   1: A   2: B   3: D   4: A.B.DDDD.DDDD   5: form 4 + " - UNICODE 12.0"
//   6: the whole version as twelve lowercase hexadecimal digits
// with A and B the two bytes of the high half's low word as lowercase hex with one leading
// zero dropped, and D the low half as eight hexadecimal digits.
QString versionText(std::uint64_t version, int form);

// "MS SQL Server 2008 SP2" and the like, for the version's release.
QString sqlServerVersionName(std::int32_t version);

// Installed version text against the plug-in's own (both twelve-digit texts), ignoring case:
// 0 equal, 1 the installed one is greater, 2 it is smaller.
int compareInstalledVersion(const QString& installed, const QString& own);

} // namespace provozmat
