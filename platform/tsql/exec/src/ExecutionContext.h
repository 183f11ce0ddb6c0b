#pragma once
// The state an expression may read while a batch runs: the batch's variables and the session's
// values behind the @@ functions, GETDATE() and SUSER_SNAME().

#include "tsql/DateTime.h"
#include "tsql/Value.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct TableInfo;

// One table of a FROM clause while rows are read: its name or alias and the current row (null for
// the NULL-extended side of an outer join).
struct RowSource {
    std::string alias; // folded
    const TableInfo* table = nullptr;
    const std::vector<Value>* row = nullptr;
};

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
    bool noCount = false;                      // SET NOCOUNT ON
    std::vector<RowSource>* sources = nullptr; // the FROM clause being read, if any
};

// Makes `sources` the FROM clause that column references resolve against, until destroyed.
class SourcesInScope {
public:
    SourcesInScope(ExecutionContext& context, std::vector<RowSource>* sources)
        : context_(context), saved_(context.sources) {
        context.sources = sources;
    }
    ~SourcesInScope() { context_.sources = saved_; }
    SourcesInScope(const SourcesInScope&) = delete;
    SourcesInScope& operator=(const SourcesInScope&) = delete;

private:
    ExecutionContext& context_;
    std::vector<RowSource>* saved_;
};

} // namespace tsql
