#pragma once
// The bound form of queries and expressions: every name resolved (columns to a source and an
// ordinal, variables to a slot), every node typed with the server's static rules, and every
// implicit conversion made explicit as a Convert node. Code generation writes SQLite SQL from it.

#include "tsql/Convert.h"
#include "tsql/DataType.h"
#include "tsql/TypeRules.h"
#include "tsql/Value.h"
#include "tsql/binder/Builtins.h"
#include "tsql/syntax/AstExpressions.h"
#include "tsql/syntax/AstQueries.h"

#include <memory>
#include <string>
#include <vector>

namespace tsql {

struct BoundQuery;
struct BoundExpr;
using BoundExprPtr = std::unique_ptr<BoundExpr>;

// Values of the session that statements read: they become parameters bound when a statement runs.
enum class SessionValue {
    Error,         // @@ERROR
    RowCount,      // @@ROWCOUNT
    TranCount,     // @@TRANCOUNT
    Spid,          // @@SPID
    FetchStatus,   // @@FETCH_STATUS
    NestLevel,     // @@NESTLEVEL
    Identity,      // @@IDENTITY
    Now,           // GETDATE(), CURRENT_TIMESTAMP: fixed for one statement
    Login,         // SUSER_SNAME(), SYSTEM_USER
    ScopeIdentity, // SCOPE_IDENTITY()
    ErrorNumber,   // ERROR_NUMBER() and the others: the error a CATCH block handles
    ErrorMessage,
    ErrorSeverity,
    ErrorState,
    ErrorLine,
    ErrorProcedure,
    DatabaseName, // DB_NAME()
    HostName,     // HOST_NAME()
    ServerName,   // @@SERVERNAME
    Version,      // @@VERSION
};

enum class BoundKind {
    Constant,   // `constant`
    Variable,   // `slot`
    Session,    // `session`
    Column,     // `source`, `ordinal`
    Convert,    // args[0] to `type` with `mode` and `style`
    Arithmetic, // args[0] `arith` args[1]; operands of the operation's own types
    Negate,     // - args[0]
    Compare,    // args[0] `compare` args[1], both already of one type
    And,        // args...
    Or,
    Not,
    IsNull,       // args[0] IS [NOT] NULL
    Like,         // args[0] LIKE args[1] [ESCAPE args[2]], all nvarchar
    InList,       // args[0] IN (args[1..]), all of one type
    InQuery,      // args[0] IN (query), of one type
    Exists,       // EXISTS (query)
    ScalarQuery,  // (query) as a value; more than one row raises 512
    Case,         // WHEN args[2i] THEN args[2i+1] ... [ELSE args.back() when hasElse]
    Coalesce,     // the first argument not NULL; all of `type`
    Builtin,      // `builtin`(args)
    Aggregate,    // `aggregate`(args[0]) or COUNT(*) without args
    UserFunction, // the scalar function `name`(args); `constant` holds its name as text
};

enum class AggregateOp { CountStar, Count, CountBig, Sum, Min, Max, Avg };

struct BoundExpr {
    BoundKind kind = BoundKind::Constant;
    DataType type;            // conditions are bit
    bool untypedNull = false; // a bare NULL: it takes its context's type
    std::vector<BoundExprPtr> args;

    Value constant;
    int slot = 0;
    SessionValue session = SessionValue::Error;
    int source = 0;  // the source's number in its statement: written as s<source>
    int ordinal = 0; // the column of that source: written as c<ordinal>
    ConversionMode mode = ConversionMode::Implicit;
    int style = 0;
    ArithmeticOp arith = ArithmeticOp::Add;
    CompareOp compare = CompareOp::Equal;
    BuiltinId builtin = BuiltinId::Len;
    AggregateOp aggregate = AggregateOp::Count;
    bool negated = false;  // IS NOT NULL, NOT LIKE, NOT IN
    bool distinct = false; // COUNT(DISTINCT x)
    bool hasElse = false;  // Case
    std::shared_ptr<const BoundQuery> query;
    std::string name; // Column: "alias.column" for messages

    bool isCondition() const;
};

// A table of a FROM clause: stored rows, or the rows of a query (derived table, view, CTE).
struct BoundSource {
    int id = 0;
    std::string storage;                     // a table: its storage table
    std::string table;                       // a table: its name in the catalog
    std::shared_ptr<const BoundQuery> query; // otherwise its query
};

enum class BoundJoinKind { Inner, Left, Right, Full, Cross };

// A FROM clause as a tree: a leaf names one source, an inner node joins two subtrees.
struct BoundFrom {
    int source = -1; // a leaf: the source's id
    BoundJoinKind join = BoundJoinKind::Cross;
    std::unique_ptr<BoundFrom> left, right;
    BoundExprPtr on;
};

struct BoundItem {
    std::string name; // the result column's name
    BoundExprPtr expr;
    int variableSlot = -1; // SELECT @v = expr
};

struct BoundOrder {
    BoundExprPtr expr; // an expression over the sources, or null for a result column
    int column = -1;   // the result column ordered by when expr is null
    bool descending = false;
};

struct BoundSelect {
    bool distinct = false;
    BoundExprPtr top; // bigint
    std::vector<BoundSource> sources;
    std::vector<std::unique_ptr<BoundFrom>> from; // comma-separated trees: cross joined
    BoundExprPtr where;
    std::vector<BoundExprPtr> groupBy;
    BoundExprPtr having;
    bool grouped = false; // GROUP BY or aggregates: one row per group
    std::vector<BoundItem> items;
};

struct ResultColumnInfo {
    std::string name;
    DataType type;
};

struct BoundQuery {
    std::unique_ptr<BoundSelect> select; // a plain SELECT; else a set operation
    SetOperator op = SetOperator::Union;
    bool all = false;
    std::shared_ptr<const BoundQuery> left, right;
    std::vector<ResultColumnInfo> columns;
    std::vector<BoundOrder> orderBy;
    BoundExprPtr top; // a set operation's TOP comes from its first SELECT; kept there
};

} // namespace tsql
