#pragma once
// The state an expression may read while a batch runs: the batch's variables and the session's
// values behind the @@ functions, GETDATE() and SUSER_SNAME().

#include "tsql/DateTime.h"
#include "tsql/Value.h"
#include "tsql/exec/BatchResult.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsql {

struct TableInfo;
struct Query;

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
    bool noCount = false;                              // SET NOCOUNT ON
    std::vector<RowSource>* sources = nullptr;         // the FROM clause being read, if any
    std::vector<std::vector<RowSource>*> outerSources; // enclosing queries' FROM clauses, outermost first
    // The rows of the group whose select list is being evaluated (each row one pointer per source
    // of `sources`); null outside GROUP BY and aggregates.
    const std::vector<std::vector<const std::vector<Value>*>>* group = nullptr;
    // Runs a subquery (EXISTS, IN) against the current rows as its outer references.
    std::function<ResultSet(const Query&)> runSubquery;
    // The columns a subquery gives, without running it; the context supplies its outer references.
    std::function<std::vector<ResultColumn>(const Query&, const ExecutionContext&)> describeSubquery;
};

// Makes `sources` the FROM clause that column references resolve against, until destroyed.
class SourcesInScope {
public:
    // `nested`: a query inside the current one, whose rows stay visible as outer references.
    SourcesInScope(ExecutionContext& context, std::vector<RowSource>* sources, bool nested = false)
        : context_(context), saved_(context.sources), pushed_(nested && context.sources) {
        if (pushed_)
            context.outerSources.push_back(context.sources);
        context.sources = sources;
    }
    ~SourcesInScope() {
        if (pushed_)
            context_.outerSources.pop_back();
        context_.sources = saved_;
    }
    SourcesInScope(const SourcesInScope&) = delete;
    SourcesInScope& operator=(const SourcesInScope&) = delete;

private:
    ExecutionContext& context_;
    std::vector<RowSource>* saved_;
    bool pushed_;
};

} // namespace tsql
