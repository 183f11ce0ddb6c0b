#pragma once
// The state an expression may read while a batch runs: the batch's variables and the session's
// values behind the @@ functions, GETDATE() and SUSER_SNAME().

#include "tsql/DateTime.h"
#include "tsql/Value.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tsql {

// Variable names compare without regard to case, as identifiers do.
std::string foldName(std::string_view name);

struct ExecutionContext {
    std::map<std::string, Value> variables; // folded name -> value of the declared type
    int lastError = 0;                      // @@ERROR
    std::int64_t lastRowCount = 0;          // @@ROWCOUNT
    int tranCount = 0;                      // @@TRANCOUNT
    std::optional<Value> scopeIdentity;     // SCOPE_IDENTITY(); NULL when unset
    DateTime statementTime;                 // GETDATE() of the running statement
    std::string login;
    int spid = 0;
};

} // namespace tsql
