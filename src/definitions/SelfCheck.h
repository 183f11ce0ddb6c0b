#pragma once
// The start-up self-check of the compiled definitions. Every rule that fails is a defect of
// the compiled definitions and raises a DefinitionError with the rule's message; the first
// failing rule is the one reported.

#include "base/PluginError.h"
#include "definitions/Definitions.h"

#include <QString>

#include <cstdint>

namespace provozmat {

class DefinitionError : public PluginError {
public:
    using PluginError::PluginError;
};

// What the definitions are checked against: the plug-in's table prefix and identifier (names
// of tables and views begin with them) and its own version (no change script may be newer).
struct DefinitionOwner {
    QString prefixTabulek;
    QString identifikator;
    std::uint64_t verzePluginu = 0;
};

// The rules that hold for the definitions as compiled: the table records, the browses and
// their groups, links, host columns, action sets, stored procedures, user functions and
// change scripts.
void zkontrolujDefinice(const TplgDefinice& d, const DefinitionOwner& owner);

// The rules on columns and declared constraints, and that every table has an ID column;
// they hold once templates and defaults are applied.
void zkontrolujAtributy(const TplgDefinice& d);

} // namespace provozmat
