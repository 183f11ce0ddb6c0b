#pragma once
// The enumerations of the compiled definitions. Their ordinal values are what the records
// store, so the order of every list is fixed.

#include <bitset>
#include <cstdint>

namespace provozmat {

// The plug-in's tables; entry 0 is no table.
enum TplgTabulka : std::uint8_t {
    tZadna,
    t_LCDKonfigurace,
    t_LCDTerminal,
    t_KontrolniPostupHlavicka,
    t_KontrolniPostupPolozka,
    t_KontrolniPostupHodnoty,
};
inline constexpr int kPosledniTabulka = t_KontrolniPostupHodnoty;

// Column types; taBlbe is no type.
enum TplgTypAtributu : std::uint8_t {
    taBlbe,
    taInt,
    taIdentity,
    taInt64,
    taIdentity64,
    taSmallInt,
    taByte,
    taBoolean,
    taVarChar,
    taChar,
    taText,
    taNVarChar,
    taNChar,
    taNText,
    taBinary,
    taVarBinary,
    taImage,
    taDateTime,
    taTime,
    taNumeric_4_2,
    taNumeric_5_2,
    taNumeric_7_2,
    taNumeric_9_2,
    taNumeric_15_0,
    taNumeric_19_2,
    taNumeric_19_6,
    taNumeric_20_6,
    taNumeric_28_0,
    taFloat,
};
inline constexpr int kPosledniTypAtributu = taFloat;

// Standard column templates a column takes its empty fields from.
enum TplgUzivatelskyTypAtributu : std::uint8_t {
    plg_utaZadny,
    plg_utaSystemoveCislo,
    plg_utaSystemoveCislo64,
    plg_utaAutor,
    plg_utaDatPorizeni,
    plg_utaZmenil,
    plg_utaDatZmeny,
    plg_utaBlokovaniEditoru,
    plg_utaGUID,
    plg_utaSazbaDPH,
    plg_utaCena,
    plg_utaMena,
    plg_utaTextChyby,
    plg_utaImpSoubor,
    plg_utaSkupZbo,
    plg_utaRegCis,
};

enum TplgNULL : std::uint8_t { nNic, nNOTNULL, nNULL };
enum TplgPK_UQ : std::uint8_t { puNic, puPrimaryKey, puUnique };
enum TplgBool : std::uint8_t { vDefault, vFalse, vTrue };

enum TplgConstraint : std::uint8_t {
    coChyba,
    coPrimaryKey,
    coUnique,
    coCheck,
    coForeignKey,
    coDefault,
    coIndex,
    coIndexClustered,
    coIndexUnique,
};

enum TplgPodtypAtributu : std::uint8_t { ptaZadny, ptaIdentity };

// Legislation codes an object exists for; empty = all.
using TplgLegislativa = std::bitset<256>;

// Flags of a column's DalsiVlastnosti.
inline constexpr std::uint8_t kAtrJenVPohledu = 1; // computed by the browse view, never created in the table
inline constexpr std::uint8_t kAtrObrazek = 2;
inline constexpr std::uint8_t kAtrProcentniPruh = 4;
inline constexpr std::uint8_t kAtrBarva = 8;
inline constexpr std::uint8_t kAtrStavovaIkona = 16;

// Flags of a table's DalsiVlastnosti.
inline constexpr std::uint8_t kTabMuzeBytBezID = 1;
inline constexpr std::uint8_t kTabNeinstalovat = 2;
inline constexpr std::uint8_t kTabBezPrevoduUnicode = 4;
inline constexpr std::uint8_t kTabDedeneKliceZustavaji = 8;
inline constexpr std::uint8_t kTabNovyZaznamNezapisovatPredem = 16;

} // namespace provozmat
