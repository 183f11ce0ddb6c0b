// The catalog queries a schema comparer sends (objects, ordinary and computed columns, keys,
// defaults and checks, foreign keys, triggers, indexes, procedures) against a database of 100
// tables of 30 columns each.

#include "tsql/exec/Session.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

namespace {

using namespace tsql;

constexpr int kTables = 100;
constexpr int kColumns = 30;

std::string tableName(int i) {
    return "KTab_Bench" + std::to_string(i);
}

// 30 columns: an identity key, texts, numbers with defaults, a date and a computed column.
std::string createTable(int t) {
    const std::string name = tableName(t);
    std::string sql = "CREATE TABLE dbo." + name + "(ID INT IDENTITY(1,1) NOT NULL";
    for (int c = 1; c < kColumns - 1; ++c) {
        const std::string col = "C" + std::to_string(c);
        switch (c % 4) {
        case 0:
            sql += ", " + col + " NVARCHAR(30) NULL";
            break;
        case 1:
            sql += ", " + col + " NUMERIC(19,6) NOT NULL CONSTRAINT DF_" + name + "_" + col + " DEFAULT 0";
            break;
        case 2:
            sql += ", " + col + " DATETIME NULL";
            break;
        default:
            sql += ", " + col + " INT NOT NULL CONSTRAINT DF_" + name + "_" + col + " DEFAULT 1";
        }
    }
    sql += ", Poznamka255 AS SUBSTRING(C4, 1, 255), CONSTRAINT PK_" + name + " PRIMARY KEY (ID))";
    return sql;
}

bool fill(Session& s) {
    for (int t = 1; t <= kTables; ++t)
        if (const Message* e = s.run(createTable(t)).firstError())
            throw std::runtime_error(e->text);
    for (int p = 1; p <= 10; ++p)
        s.run("CREATE PROCEDURE dbo.epx_Bench" + std::to_string(p) + " AS SELECT " + std::to_string(p));
    return true;
}

Session& session() {
    static Session s(Database::open(":memory:"));
    static const bool filled = fill(s);
    (void)filled;
    return s;
}

// The five tables a query asks about, as the comparer lists them.
const std::string kNames = "N'KTab_Bench1',N'KTab_Bench2',N'KTab_Bench3',N'KTab_Bench4',N'KTab_Bench5'";

void runQuery(benchmark::State& state, const std::string& sql) {
    Session& s = session();
    if (const Message* e = s.run(sql).firstError())
        state.SkipWithError(e->text.c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(s.run(sql));
}

void Objects(benchmark::State& state) {
    runQuery(state, "SELECT name FROM sysobjects WHERE name IN(" + kNames + ") AND xtype='U'");
}
BENCHMARK(Objects)->Unit(benchmark::kMillisecond);

const std::string kColumnsSelect =
    "SELECT sysobjects.name, syscolumns.name, systypes.name, "
    "COLUMNPROPERTY(sysobjects.id,syscolumns.name,'IsIdentity'), syscolumns.isnullable, syscolumns.prec, "
    "syscolumns.xprec, syscolumns.scale";

void OrdinaryColumns(benchmark::State& state) {
    runQuery(state, kColumnsSelect +
                        " FROM sysobjects JOIN syscolumns ON sysobjects.id=syscolumns.id JOIN systypes ON "
                        "syscolumns.xusertype=systypes.xusertype WHERE syscolumns.iscomputed=0 and "
                        "sysobjects.xtype='U' AND sysobjects.name IN(" +
                        kNames + ") ORDER BY sysobjects.name");
}
BENCHMARK(OrdinaryColumns)->Unit(benchmark::kMillisecond);

void ComputedColumns(benchmark::State& state) {
    runQuery(state,
             kColumnsSelect +
                 ", syscolumns.colid, substring(text,    1,2000) + '|', substring(text, 2001,2000) + '|' "
                 "FROM sysobjects JOIN syscolumns ON sysobjects.id=syscolumns.id JOIN systypes ON "
                 "syscolumns.xusertype=systypes.xusertype JOIN syscomments ON syscolumns.id=syscomments.id "
                 "AND syscolumns.colid=syscomments.number WHERE syscolumns.iscomputed=1 and "
                 "sysobjects.xtype='U' AND sysobjects.name IN(" +
                 kNames + ") ORDER BY sysobjects.name");
}
BENCHMARK(ComputedColumns)->Unit(benchmark::kMillisecond);

void Keys(benchmark::State& state) {
    runQuery(state, "SELECT sysobjects.name, o2.name FROM sysobjects, sysobjects o2 WHERE sysobjects.xtype "
                    "IN('UQ','PK') AND o2.id = sysobjects.parent_obj AND o2.name IN(" +
                        kNames + ")");
}
BENCHMARK(Keys)->Unit(benchmark::kMillisecond);

void DefaultsAndChecks(benchmark::State& state) {
    runQuery(state,
             "SELECT sysobjects.name, syscomments.text, OBJECTPROPERTY(sysobjects.id,'CnstIsDisabled'), "
             "o2.name FROM sysobjects,syscomments,sysobjects o2 WHERE sysobjects.id=syscomments.id AND "
             "sysobjects.xtype IN('D','C') AND o2.id=sysobjects.parent_obj AND o2.name IN(" +
                 kNames + ")");
}
BENCHMARK(DefaultsAndChecks)->Unit(benchmark::kMillisecond);

void ForeignKeys(benchmark::State& state) {
    std::string sql =
        "SELECT OBJECTPROPERTY(constid,'CnstIsDisabled'), OBJECT_NAME(constid), OBJECT_NAME(rkeyid)";
    for (int i = 1; i <= 16; ++i)
        sql += ", COL_NAME(rkeyid,rkey" + std::to_string(i) + ")";
    runQuery(state,
             sql + ", OBJECT_NAME(fkeyid) FROM sysreferences JOIN sysobjects ON fkeyid=id WHERE name IN(" +
                 kNames + ")");
}
BENCHMARK(ForeignKeys)->Unit(benchmark::kMillisecond);

void Triggers(benchmark::State& state) {
    runQuery(state,
             "SELECT o2.name + sys.objects.name, sys.sql_modules.definition, "
             "OBJECTPROPERTY(sys.objects.object_id,'ExecIsTriggerDisabled'), sys.objects.name FROM "
             "sys.objects JOIN sys.sql_modules ON sys.objects.object_id = sys.sql_modules.object_id JOIN "
             "sys.objects o2 ON o2.object_id = sys.objects.parent_object_id AND sys.objects.type='TR' AND "
             "o2.name IN(" +
                 kNames +
                 ") AND sys.objects.name NOT LIKE N'et_'+o2.name+N'%' AND sys.objects.name NOT LIKE "
                 "N'et_ntf_'+o2.name+N'%' ");
}
BENCHMARK(Triggers)->Unit(benchmark::kMillisecond);

void Indexes(benchmark::State& state) {
    std::string sql = "SELECT name, OBJECT_NAME(object_id), INDEXPROPERTY(object_id,name,'IsClustered'), "
                      "INDEXPROPERTY(object_id,name,'IsUnique'), ISNULL(filter_definition,'')";
    for (int i = 1; i <= 8; ++i)
        sql += ", INDEX_COL(OBJECT_NAME(object_id),index_id," + std::to_string(i) + ")";
    runQuery(state, sql + ", object_id, index_id FROM sys.indexes WHERE index_id > 0 AND "
                          "INDEXPROPERTY(object_id,name,'IsStatistics') = 0 AND name LIKE N'I%' AND "
                          "OBJECT_NAME(object_id) LIKE N'KTab%'");
}
BENCHMARK(Indexes)->Unit(benchmark::kMillisecond);

void IncludedColumns(benchmark::State& state) {
    runQuery(
        state,
        "SELECT COL_NAME(object_id, column_id) FROM sys.index_columns WHERE object_id = "
        "OBJECT_ID(N'KTab_Bench1') AND index_id = 1 AND is_included_column = 1 ORDER BY index_column_id");
}
BENCHMARK(IncludedColumns)->Unit(benchmark::kMillisecond);

void Procedures(benchmark::State& state) {
    runQuery(state,
             "SELECT sys.objects.name, sys.sql_modules.definition FROM sys.objects JOIN sys.sql_modules ON "
             "sys.objects.object_id = sys.sql_modules.object_id WHERE sys.objects.type = 'P' AND "
             "sys.objects.name IN(N'epx_Bench1',N'epx_Bench2',N'epx_Bench3',N'epx_Bench4')");
}
BENCHMARK(Procedures)->Unit(benchmark::kMillisecond);

} // namespace
