#pragma once
// The plug-in's numbered message catalogue: entries 1 to 172 with the Czech text (the
// default), the Slovak text and the few English and German texts, each with its message
// number (5,000,000 + index). Entry 0 is empty. The texts use "\r" for a line break and the
// character with code 1 on both sides of a value that host message boxes highlight.

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace provozmat {

// A catalogue index as definition records store it; 0 means that no catalogue text is used.
using TplgTxt = std::uint8_t;

// One catalogue entry.
struct TplgHlaska {
    TplgTxt SelfIdent;      // the entry's own index
    std::u16string_view H;  // Czech
    std::u16string_view SK; // Slovak
    std::uint32_t W;        // message number
    std::u16string_view GUID;
    std::u16string_view I; // note for translators
    std::u16string_view E; // English
    std::u16string_view D; // German
};

inline constexpr int kPrvniHlaska = 1;
inline constexpr int kPosledniHlaska = 172;
// Message number of entry 0; entry n has number kZakladCislaHlasky + n.
inline constexpr std::uint32_t kZakladCislaHlasky = 5'000'000;

// Names of the entries the plug-in refers to from code.
enum THlaska : int {
    hlOK = 1,
    hlStorno = 2,
    hlUlozitZmeny = 3,
    hlPrazdnaPolozka = 4,
    hlSmazatZaznam = 5,
    hlSmazatOznaceneZaznamy = 6,
    hlNeni = 7,
    hlMinimalniVerzeOrvianu = 8,
    hlAkceNadPrehledem = 9,
    hlEditace = 10,
    hlNovy = 11,
    hlOprava = 12,
    hlZrusit = 13,
    hlPouzeKeCteni = 14,
    hlZavrit = 15,
    hlVerzeVDB = 57,
    hlVerzePluginu = 58,
    hlVerzePluginuNizsi = 59,
    hlNeznamaAkce = 60,
    hlSpustitInstalaci = 61,
    hlVerzePluginuVyssi = 62,
    hlNedokoncenaInstalace = 63,
    hlAno = 84,
    hlNe = 85,
    hlDefPrehledNenalezen = 86,
    hlDefPrehledCisloNenalezen = 87,
    hlMinimalniVerzeSQLServeru = 105,
    hlNepodporujeOdinstalaci = 172,
};

// All 173 entries, indices 0 to 172.
std::span<const TplgHlaska> katalogHlasek();

// The entry with index 1 to 172; any other index (also the empty entry 0) raises a PluginError.
const TplgHlaska& zaznamHlasky(int index);

// The catalogue index of a message-number text: the text must be a decimal number (ASCII
// digits only) equal to the W of one of the entries 1 to 172. Anything else gives nullopt.
std::optional<int> indexCislaHlasky(QStringView text);

} // namespace provozmat
