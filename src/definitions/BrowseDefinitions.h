#pragma once
// The plug-in's browses and the action set it adds to a host browse, as far as the run
// dispatch needs them: the view each browse shows, its public name, and the names of its
// action and editor classes.

#include <QString>

#include <array>
#include <optional>

namespace provozmat {

enum class TplgBrowse : int {
    bZadny = 0,
    b_LCDKonfigurace,
    b_LCDTerminal,
    b_KontrolniPostupHlavicka,
    b_KontrolniPostupPolozka,
    b_KontrolniPostupHodnoty,
};

struct TplgVychoziNastaveniBrowse {
    TplgBrowse SelfIdent;
    const char16_t* Jmeno;              // public name; "*" = the main table's public name
    const char16_t* HlavniTabulkaJmeno; // public name of the main table (what "*" stands for)
    const char16_t* JmenoView;          // view the browse shows
    const char16_t* DMAkceClass;        // action class; empty: none
    const char16_t* EditorClass;        // editor class; empty: none
};

// Entries 1 to 5; entry 0 is empty.
const std::array<TplgVychoziNastaveniBrowse, 6>& browseDefinitions();

// The browse's public name with "*" resolved to the main table's public name.
QString browsePublicName(const TplgVychoziNastaveniBrowse& browse);

// Index of the first browse definition (1 to 5) whose view name equals name, ignoring case;
// 0 when none does.
int browseIndexByViewName(const QString& name);

struct TplgExtAkceDef {
    int BrowseID; // host browse number
    const char16_t* DMAkceClass;
    const char16_t* EditorClass;
    const char16_t* GUID_ActionNew;
    const char16_t* GUID_ActionEdit;
};

// Entries 1 to N; entry 0 is empty.
const std::array<TplgExtAkceDef, 2>& extActionSets();

// Index of the first action set (from 1) on that host browse; nullopt when none.
std::optional<int> extActionSetByBrowseNumber(int browseNumber);

} // namespace provozmat
