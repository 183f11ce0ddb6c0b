#pragma once
// One complete set of the plug-in's definitions and the lookups over it. The process keeps
// one set (definice()); it starts as the compiled data and is replaced by its prepared form
// once per process.

#include "definitions/ExtensionRecords.h"
#include "definitions/TableRecords.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace provozmat {

struct TplgDefinice {
    // Every array has an entry 0 that stays empty; entries 1..N are the definitions.
    std::vector<std::optional<TplgTabulkaDef>> tabulky; // by TplgTabulka
    std::vector<TplgUzivatelskyAtributDef> sablony;     // by TplgUzivatelskyTypAtributu
    std::vector<TplgVychoziNastaveniBrowse> browse;     // by TplgBrowse
    std::vector<TplgSoudekDef> soudky;                  // by TplgSoudek
    std::vector<TplgVztahDef> vazby;
    std::vector<TplgExterniAtribut> extAtributy;
    std::vector<TplgExtAkceDef> extAkce;
    std::vector<TplgUlozenaProcedura> procedury;
    std::vector<TplgUzivatelskaFunkce> funkce;
    std::vector<TplgZmenovySkript> zmenoveSkripty;

    // The table record of index; null for tZadna and for an undefined entry.
    const TplgTabulkaDef* tabulka(int index) const;
    TplgTabulkaDef* tabulka(int index);
    // Index of the table with that SQL name (case-insensitive, trimmed); 0 when none.
    int indexTabulky(const QString& jmenoSys) const;
    // SQL name of the table of index; empty when undefined.
    QString jmenoTabulky(int index) const;
    // Column of a table by name (case-insensitive); null when missing.
    const TplgAtributTabulky* atribut(int tableIndex, const QString& jmenoSys) const;
    // Column by "Table.Column" (split at the first dot); null when either is missing.
    const TplgAtributTabulky* atribut(const QString& tableDotColumn) const;
    // The table's column names sorted (ignoring case), each with its record.
    std::vector<std::pair<QString, const TplgAtributTabulky*>> serazeneAtributy(int tableIndex) const;
};

// The process's set of definitions.
TplgDefinice& definice();

} // namespace provozmat
