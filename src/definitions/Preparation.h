#pragma once
// The one-time preparation of the definitions: the self-check, inheritance of ancestor
// columns, the standard column templates, the defaults, the checks of the resulting columns
// and the texts in the user's current language.

#include "definitions/Definitions.h"
#include "definitions/SelfCheck.h"

namespace provozmat {

class Host;

// Prepares d in place. A failed rule raises a DefinitionError; d is then partly prepared.
void pripravDefinice(TplgDefinice& d, const DefinitionOwner& owner, const Host& host);

// Prepares the compiled definitions and makes them the process's definitions. When a rule
// fails, the DefinitionError is raised and the process's definitions stay as they were.
void pripravDefiniceProcesu(const DefinitionOwner& owner, const Host& host);

// The single steps, in the order pripravDefinice runs them.
void zdedAtributy(TplgDefinice& d);
void pouzijSablony(TplgDefinice& d);
void doplnVychoziHodnoty(TplgDefinice& d);

} // namespace provozmat
