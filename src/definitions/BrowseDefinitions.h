#pragma once
// The plug-in's browses and the action sets it adds to host browses, as the run dispatch
// reads them from the process's definitions.

#include "definitions/Definitions.h"

#include <QString>

#include <optional>
#include <vector>

namespace provozmat {

// Entries 1 to 5; entry 0 is empty.
const std::vector<TplgVychoziNastaveniBrowse>& browseDefinitions();

// The browse's public name: its Jmeno, or for "*" the public name of its main table.
QString browsePublicName(const TplgDefinice& d, const TplgVychoziNastaveniBrowse& browse);
QString browsePublicName(const TplgVychoziNastaveniBrowse& browse);

// Index of the first browse definition (1 to 5) whose view name equals name, ignoring case;
// 0 when none does.
int browseIndexByViewName(const QString& name);

// Entries 1 to N; entry 0 is empty.
const std::vector<TplgExtAkceDef>& extActionSets();

// Index of the first action set (from 1) on that host browse; nullopt when none.
std::optional<int> extActionSetByBrowseNumber(int browseNumber);

} // namespace provozmat
