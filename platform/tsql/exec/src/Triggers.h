#pragma once
// Triggers are catalog objects only: CREATE, ALTER and DROP TRIGGER keep their text (ALTER stored as
// CREATE) under their table, ENABLE and DISABLE TRIGGER set their disabled flag. They never run.

#include "SessionCatalog.h"

#include "tsql/syntax/Ast.h"

namespace tsql {

void createTrigger(const CreateTriggerStmt& s, const Batch& batch, SessionCatalog& catalog);
void enableTriggers(const EnableTriggerStmt& s, SessionCatalog& catalog);
// DROP TRIGGER; SqlError 3701 when there is none (unless IF EXISTS).
void dropTrigger(const std::string& name, bool ifExists, SessionCatalog& catalog);

} // namespace tsql
