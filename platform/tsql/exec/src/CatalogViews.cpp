#include "CatalogViews.h"

#include "ServerTypes.h"
#include "SqliteStatement.h"

#include "tsql/Convert.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteValues.h"
#include "tsql/binder/Names.h"

#include <sqlite3.h>

#include <string>
#include <vector>

namespace tsql {

namespace {

// One column of a view: its name and SQL Server type as the server shows them, and the SQLite
// expression giving its value in the storage form of that type.
struct ViewColumn {
    std::string name;
    std::string type;
    std::string value;
};

struct ViewDefinition {
    std::vector<std::string> names; // what a batch may call it (compared case-insensitively)
    std::vector<ViewColumn> columns;
    std::string from;           // the FROM clause and the rest of the view's query
    std::string unionWith = {}; // a second query of the same columns (UNION ALL), if any
};

const std::string kObjects = "main.tsql_catalog_objects";
const std::string kColumns = "main.tsql_catalog_columns";
const std::string kConstraints = "main.tsql_catalog_constraints";
const std::string kIndexes = "main.tsql_catalog_indexes";
const std::string kNumbers = "temp.tsql_sys_numbers";
const std::string kDatabase = "'provozmat'";

// What tsql_sys_col(what, type_id, length, precision, scale) computes (ColumnFacts).
enum Fact {
    SystemTypeId,
    MaxLength,
    Precision,
    Scale,
    LegacyPrecision,
    LegacyScale,
    CharacterLength,
    OctetLength,
    NumericPrecision,
    NumericRadix,
    NumericScale,
    DatetimePrecision,
    TypeName,
    IsCharacter,
};

std::string fact(Fact f, const std::string& c = "c") {
    return "tsql_sys_col(" + std::to_string(f) + ", " + c + ".type_id, " + c + ".length, " + c +
           ".precision, " + c + ".scale)";
}

std::string charType(const std::string& e) {
    return "substr(" + e + " || '  ', 1, 2)";
}

std::string typeDescription(const std::string& type) {
    return "CASE " + type +
           " WHEN 'U' THEN 'USER_TABLE' WHEN 'V' THEN 'VIEW' WHEN 'P' THEN 'SQL_STORED_PROCEDURE' "
           "WHEN 'FN' THEN 'SQL_SCALAR_FUNCTION' WHEN 'IF' THEN 'SQL_INLINE_TABLE_VALUED_FUNCTION' "
           "WHEN 'TF' THEN 'SQL_TABLE_VALUED_FUNCTION' WHEN 'TR' THEN 'SQL_TRIGGER' "
           "WHEN 'PK' THEN 'PRIMARY_KEY_CONSTRAINT' WHEN 'UQ' THEN 'UNIQUE_CONSTRAINT' "
           "WHEN 'D' THEN 'DEFAULT_CONSTRAINT' WHEN 'C' THEN 'CHECK_CONSTRAINT' "
           "WHEN 'F' THEN 'FOREIGN_KEY_CONSTRAINT' END";
}

std::vector<ViewColumn> operator+(std::vector<ViewColumn> a, const std::vector<ViewColumn>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Bits that are always 0 (replication, CLR and other features the engine has not).
std::vector<ViewColumn> zeroBits(std::initializer_list<const char*> names) {
    std::vector<ViewColumn> out;
    for (const char* n : names)
        out.push_back({n, "bit", "0"});
    return out;
}

// The columns sys.objects and the views derived from it begin with, over objects `o`.
std::vector<ViewColumn> objectColumns() {
    return {
        {"name", "sysname", "o.name"},
        {"object_id", "int", "o.id"},
        {"principal_id", "int", "NULL"},
        {"schema_id", "int", "1"},
        {"parent_object_id", "int", "o.parent_id"},
        {"type", "char(2)", charType("o.type")},
        {"type_desc", "nvarchar(60)", typeDescription("o.type")},
        {"create_date", "datetime", "tsql_sys_date(o.create_date)"},
        {"modify_date", "datetime", "tsql_sys_date(o.modify_date)"},
        {"is_ms_shipped", "bit", "0"},
        {"is_published", "bit", "0"},
        {"is_schema_published", "bit", "0"},
    };
}

// The columns of sys.columns over catalog columns `c`.
std::vector<ViewColumn> columnColumns() {
    return std::vector<ViewColumn>{
               {"object_id", "int", "c.object_id"},
               {"name", "sysname", "c.name"},
               {"column_id", "int", "c.column_id"},
               {"system_type_id", "tinyint", fact(SystemTypeId)},
               {"user_type_id", "int", fact(SystemTypeId)},
               {"max_length", "smallint", fact(MaxLength)},
               {"precision", "tinyint", fact(Precision)},
               {"scale", "tinyint", fact(Scale)},
               {"collation_name", "sysname", "CASE WHEN " + fact(IsCharacter) + " THEN 'Czech_CI_AS' END"},
               {"is_nullable", "bit", "c.nullable"},
               {"is_ansi_padded", "bit", "CASE WHEN " + fact(OctetLength) + " IS NULL THEN 0 ELSE 1 END"},
               {"is_rowguidcol", "bit", "0"},
               {"is_identity", "bit", "c.identity_seed IS NOT NULL"},
               {"is_computed", "bit", "c.computed_text IS NOT NULL"},
           } +
           zeroBits({"is_filestream", "is_replicated", "is_non_sql_subscribed", "is_merge_published",
                     "is_dts_replicated", "is_xml_document"}) +
           std::vector<ViewColumn>{
               {"xml_collection_id", "int", "0"}, {"default_object_id", "int", "coalesce(c.default_id, 0)"},
               {"rule_object_id", "int", "0"},    {"is_sparse", "bit", "0"},
               {"is_column_set", "bit", "0"},
           };
}

std::string listItem(const std::string& list, const std::string& n) {
    return "tsql_list_item(" + list + ", " + n + ")";
}

std::vector<ViewDefinition> definitions() {
    std::vector<ViewDefinition> v;
    const std::string objects = " FROM " + kObjects + " AS o";

    v.push_back({{"sysobjects", "sys.sysobjects"},
                 {{"name", "sysname", "o.name"},
                  {"id", "int", "o.id"},
                  {"xtype", "char(2)", charType("o.type")},
                  {"uid", "smallint", "1"},
                  {"info", "smallint", "0"},
                  {"status", "int", "0"},
                  {"base_schema_ver", "int", "0"},
                  {"replinfo", "int", "0"},
                  {"parent_obj", "int", "o.parent_id"},
                  {"crdate", "datetime", "tsql_sys_date(o.create_date)"},
                  {"ftcatid", "smallint", "0"},
                  {"schema_ver", "int", "0"},
                  {"stats_schema_ver", "int", "0"},
                  {"type", "char(2)", charType("CASE WHEN o.type IN ('PK', 'UQ') THEN 'K' ELSE o.type END")},
                  {"userstat", "smallint", "0"},
                  {"sysstat", "smallint", "0"},
                  {"indexdel", "smallint", "0"},
                  {"refdate", "datetime", "tsql_sys_date(o.create_date)"},
                  {"version", "int", "0"},
                  {"deltrig", "int", "0"},
                  {"instrig", "int", "0"},
                  {"updtrig", "int", "0"},
                  {"seltrig", "int", "0"},
                  {"category", "int", "0"},
                  {"cache", "smallint", "0"}},
                 objects});

    v.push_back(
        {{"syscolumns", "sys.syscolumns"},
         {{"name", "sysname", "c.name"},
          {"id", "int", "c.object_id"},
          {"xtype", "tinyint", fact(SystemTypeId)},
          {"xusertype", "smallint", fact(SystemTypeId)},
          {"length", "smallint", fact(MaxLength)},
          {"xprec", "tinyint", fact(Precision)},
          {"xscale", "tinyint", fact(Scale)},
          {"colid", "smallint", "c.column_id"},
          {"cdefault", "int", "coalesce(c.default_id, 0)"},
          {"domain", "int", "0"},
          {"number", "smallint", "0"},
          {"colorder", "smallint", "c.column_id"},
          {"collationid", "int", "CASE WHEN " + fact(IsCharacter) + " THEN 53256 END"},
          {"status", "tinyint",
           "(CASE WHEN c.nullable THEN 8 ELSE 0 END) + (CASE WHEN c.identity_seed IS NULL THEN 0 ELSE 128 "
           "END)"},
          {"prec", "smallint", fact(LegacyPrecision)},
          {"scale", "int", fact(LegacyScale)},
          {"iscomputed", "int", "c.computed_text IS NOT NULL"},
          {"isoutparam", "int", "0"},
          {"isnullable", "int", "c.nullable"},
          {"collation", "sysname", "CASE WHEN " + fact(IsCharacter) + " THEN 'Czech_CI_AS' END"}},
         " FROM " + kColumns + " AS c"});

    v.push_back({{"systypes", "sys.systypes"},
                 {{"name", "sysname", "t.name"},
                  {"xtype", "tinyint", "t.system_type_id"},
                  {"xusertype", "smallint", "t.user_type_id"},
                  {"length", "smallint", "t.max_length"},
                  {"xprec", "tinyint", "t.precision"},
                  {"xscale", "tinyint", "t.scale"},
                  {"tdefault", "int", "0"},
                  {"domain", "int", "0"},
                  {"uid", "smallint", "4"},
                  {"collationid", "int", "CASE WHEN t.is_character THEN 53256 END"},
                  {"variable", "bit", "t.variable"},
                  {"allownulls", "bit", "t.is_nullable"},
                  {"prec", "smallint", "t.prec"},
                  {"scale", "tinyint", "CASE WHEN t.is_numeric THEN t.scale END"},
                  {"collation", "sysname", "CASE WHEN t.is_character THEN 'Czech_CI_AS' END"}},
                 " FROM temp.tsql_sys_types AS t"});

    // Module texts in rows of 4000 characters; defaults and checks; computed columns under their
    // table with number = the column id. The rows are made in one compound query so that SQLite
    // builds them once per statement instead of once per row of a join.
    const std::vector<ViewColumn> comments = {
        {"id", "int", "x.id"},       {"number", "smallint", "x.number"}, {"colid", "smallint", "x.colid"},
        {"status", "smallint", "0"}, {"texttype", "smallint", "2"},      {"language", "smallint", "0"},
        {"encrypted", "bit", "0"},   {"compressed", "bit", "0"},         {"text", "nvarchar(4000)", "x.text"},
    };
    const auto chunks = [&](const std::string& text, const std::string& from) {
        return ", n.n AS colid, substr(" + text + ", (n.n - 1) * 4000 + 1, 4000) AS text" + from + " JOIN " +
               kNumbers + " AS n ON n.n <= max(1, (length(" + text + ") + 3999) / 4000)";
    };
    v.push_back({{"syscomments", "sys.syscomments"},
                 comments,
                 " FROM (SELECT o.id AS id, CASE o.type WHEN 'P' THEN 1 ELSE 0 END AS number" +
                     chunks("o.definition", objects) +
                     " WHERE o.definition IS NOT NULL UNION ALL SELECT c.object_id, "
                     "c.column_id" +
                     chunks("c.computed_text", " FROM " + kColumns + " AS c") +
                     " WHERE c.computed_text IS NOT NULL) AS x"});

    std::vector<ViewColumn> references = {
        {"constid", "int", "k.id"},
        {"fkeyid", "int", "k.table_id"},
        {"rkeyid", "int", "k.ref_table_id"},
        {"rkeyindid", "smallint",
         "coalesce((SELECT i.index_id FROM " + kIndexes +
             " AS i WHERE i.object_id = k.ref_table_id AND i.key_columns = k.ref_columns ORDER BY i.index_id "
             "LIMIT "
             "1), 0)"},
        {"keycnt", "smallint", "tsql_list_count(k.columns)"},
        {"fkeydbid", "smallint", "0"},
        {"rkeydbid", "smallint", "0"},
    };
    for (const char* side : {"f", "r"})
        for (int i = 1; i <= 16; ++i)
            references.push_back(
                {std::string(side) + "key" + std::to_string(i), "smallint",
                 "coalesce(" + listItem(side[0] == 'f' ? "k.columns" : "k.ref_columns", std::to_string(i)) +
                     ", 0)"});
    v.push_back({{"sysreferences", "sys.sysreferences"},
                 references,
                 " FROM " + kConstraints + " AS k WHERE k.kind = 'F'"});

    v.push_back({{"sys.objects"}, objectColumns(), objects});
    v.push_back({{"sys.tables"},
                 objectColumns() +
                     std::vector<ViewColumn>{
                         {"lob_data_space_id", "int", "0"},
                         {"max_column_id_used", "int",
                          "(SELECT max(c.column_id) FROM " + kColumns + " AS c WHERE c.object_id = o.id)"},
                         {"lock_on_bulk_load", "bit", "0"},
                         {"uses_ansi_nulls", "bit", "1"}} +
                     zeroBits({"is_replicated", "has_replication_filter", "is_merge_published",
                               "is_sync_tran_subscribed", "has_unchecked_assembly_data"}) +
                     std::vector<ViewColumn>{{"text_in_row_limit", "int", "0"},
                                             {"large_value_types_out_of_row", "bit", "0"},
                                             {"is_tracked_by_cdc", "bit", "0"},
                                             {"lock_escalation", "tinyint", "0"},
                                             {"lock_escalation_desc", "nvarchar(60)", "'TABLE'"}},
                 objects + " WHERE o.type = 'U'"});
    v.push_back({{"sys.views"},
                 objectColumns() + zeroBits({"is_replicated", "has_replication_filter", "has_opaque_metadata",
                                             "has_unchecked_assembly_data", "with_check_option",
                                             "is_date_correlation_view"}),
                 objects + " WHERE o.type = 'V'"});
    v.push_back({{"sys.procedures"},
                 objectColumns() + zeroBits({"is_auto_executed", "is_execution_replicated",
                                             "is_repl_serializable_only", "skips_repl_constraints"}),
                 objects + " WHERE o.type = 'P'"});
    v.push_back({{"sys.triggers"},
                 {{"name", "sysname", "o.name"},
                  {"object_id", "int", "o.id"},
                  {"parent_class", "tinyint", "1"},
                  {"parent_class_desc", "nvarchar(60)", "'OBJECT_OR_COLUMN'"},
                  {"parent_id", "int", "o.parent_id"},
                  {"type", "char(2)", "'TR'"},
                  {"type_desc", "nvarchar(60)", "'SQL_TRIGGER'"},
                  {"create_date", "datetime", "tsql_sys_date(o.create_date)"},
                  {"modify_date", "datetime", "tsql_sys_date(o.modify_date)"},
                  {"is_ms_shipped", "bit", "0"},
                  {"is_disabled", "bit", "o.is_disabled"},
                  {"is_not_for_replication", "bit", "0"},
                  {"is_instead_of_trigger", "bit", "0"}},
                 objects + " WHERE o.type = 'TR'"});
    v.push_back({{"sys.sql_modules"},
                 {{"object_id", "int", "o.id"},
                  {"definition", "nvarchar(max)", "o.definition"},
                  {"uses_ansi_nulls", "bit", "1"},
                  {"uses_quoted_identifier", "bit", "1"},
                  {"is_schema_bound", "bit", "0"},
                  {"uses_database_collation", "bit", "0"},
                  {"is_recompiled", "bit", "0"},
                  {"null_on_null_input", "bit", "0"},
                  {"execute_as_principal_id", "int", "NULL"}},
                 objects + " WHERE o.type IN ('V', 'P', 'FN', 'IF', 'TF', 'TR')"});

    const std::string constraint = objects + " JOIN " + kConstraints + " AS k ON k.id = o.id";
    const std::string singleColumn = "coalesce(CAST(nullif(k.columns, '') AS INTEGER), 0)";
    v.push_back({{"sys.default_constraints"},
                 objectColumns() + std::vector<ViewColumn>{{"parent_column_id", "int", singleColumn},
                                                           {"definition", "nvarchar(max)", "o.definition"},
                                                           {"is_system_named", "bit", "0"}},
                 constraint + " WHERE o.type = 'D'"});
    v.push_back({{"sys.check_constraints"},
                 objectColumns() + std::vector<ViewColumn>{{"is_disabled", "bit", "o.is_disabled"},
                                                           {"is_not_for_replication", "bit", "0"},
                                                           {"is_not_trusted", "bit", "o.is_not_trusted"},
                                                           {"parent_column_id", "int", singleColumn},
                                                           {"definition", "nvarchar(max)", "o.definition"},
                                                           {"uses_database_collation", "bit", "1"},
                                                           {"is_system_named", "bit", "0"}},
                 constraint + " WHERE o.type = 'C'"});
    v.push_back(
        {{"sys.key_constraints"},
         objectColumns() + std::vector<ViewColumn>{{"unique_index_id", "int",
                                                    "(SELECT i.index_id FROM " + kIndexes +
                                                        " AS i WHERE i.object_id = o.parent_id AND i.name = "
                                                        "o.name)"},
                                                   {"is_system_named", "bit", "0"}},
         objects + " WHERE o.type IN ('PK', 'UQ')"});
    const std::string action =
        "CASE %s WHEN 1 THEN 'CASCADE' WHEN 2 THEN 'SET_NULL' WHEN 3 THEN 'SET_DEFAULT' "
        "ELSE 'NO_ACTION' END";
    const auto actionDesc = [&](const std::string& column) {
        std::string s = action;
        return s.replace(s.find("%s"), 2, column);
    };
    v.push_back(
        {{"sys.foreign_keys"},
         objectColumns() +
             std::vector<ViewColumn>{
                 {"referenced_object_id", "int", "k.ref_table_id"},
                 {"key_index_id", "int",
                  "(SELECT i.index_id FROM " + kIndexes +
                      " AS i WHERE i.object_id = k.ref_table_id AND i.key_columns = k.ref_columns ORDER BY "
                      "i.index_id LIMIT 1)"},
                 {"is_disabled", "bit", "o.is_disabled"},
                 {"is_not_for_replication", "bit", "0"},
                 {"is_not_trusted", "bit", "o.is_not_trusted"},
                 {"delete_referential_action", "tinyint", "k.on_delete"},
                 {"delete_referential_action_desc", "nvarchar(60)", actionDesc("k.on_delete")},
                 {"update_referential_action", "tinyint", "k.on_update"},
                 {"update_referential_action_desc", "nvarchar(60)", actionDesc("k.on_update")},
                 {"is_system_named", "bit", "0"}},
         constraint + " WHERE o.type = 'F'"});
    v.push_back({{"sys.foreign_key_columns"},
                 {{"constraint_object_id", "int", "k.id"},
                  {"constraint_column_id", "int", "n.n"},
                  {"parent_object_id", "int", "k.table_id"},
                  {"parent_column_id", "int", listItem("k.columns", "n.n")},
                  {"referenced_object_id", "int", "k.ref_table_id"},
                  {"referenced_column_id", "int", listItem("k.ref_columns", "n.n")}},
                 " FROM " + kConstraints + " AS k JOIN " + kNumbers +
                     " AS n ON n.n <= tsql_list_count(k.columns) WHERE k.kind = 'F'"});

    const std::vector<ViewColumn> indexColumns = {
        {"object_id", "int", "i.object_id"},
        {"name", "sysname", "i.name"},
        {"index_id", "int", "i.index_id"},
        {"type", "tinyint", "CASE WHEN i.is_clustered THEN 1 ELSE 2 END"},
        {"type_desc", "nvarchar(60)", "CASE WHEN i.is_clustered THEN 'CLUSTERED' ELSE 'NONCLUSTERED' END"},
        {"is_unique", "bit", "i.is_unique"},
        {"data_space_id", "int", "1"},
        {"ignore_dup_key", "bit", "0"},
        {"is_primary_key", "bit", "i.is_primary_key"},
        {"is_unique_constraint", "bit", "i.is_unique_constraint"},
        {"fill_factor", "tinyint", "0"},
        {"is_padded", "bit", "0"},
        {"is_disabled", "bit", "i.is_disabled"},
        {"is_hypothetical", "bit", "0"},
        {"allow_row_locks", "bit", "1"},
        {"allow_page_locks", "bit", "1"},
        {"has_filter", "bit", "i.filter_definition IS NOT NULL"},
        {"filter_definition", "nvarchar(max)", "i.filter_definition"},
    };
    // A table without a clustered index is a heap: index_id 0 without a name.
    v.push_back({{"sys.indexes"},
                 indexColumns,
                 " FROM " + kIndexes + " AS i",
                 "SELECT o.id, NULL, 0, 0, 'HEAP', 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, NULL" + objects +
                     " WHERE o.type = 'U' AND NOT EXISTS (SELECT 1 FROM " + kIndexes +
                     " AS h WHERE h.object_id = o.id AND h.index_id = 1)"});
    const std::string keyCount = "tsql_list_count(i.key_columns)";
    v.push_back({{"sys.index_columns"},
                 {{"object_id", "int", "i.object_id"},
                  {"index_id", "int", "i.index_id"},
                  {"index_column_id", "int", "n.n"},
                  {"column_id", "int",
                   "CASE WHEN n.n <= " + keyCount + " THEN " + listItem("i.key_columns", "n.n") + " ELSE " +
                       listItem("i.included_columns", "n.n - " + keyCount) + " END"},
                  {"key_ordinal", "tinyint", "CASE WHEN n.n <= " + keyCount + " THEN n.n ELSE 0 END"},
                  {"partition_ordinal", "tinyint", "0"},
                  {"is_descending_key", "bit", "0"},
                  {"is_included_column", "bit", "n.n > " + keyCount}},
                 " FROM " + kIndexes + " AS i JOIN " + kNumbers + " AS n ON n.n <= " + keyCount +
                     " + tsql_list_count(i.included_columns)"});

    const std::string columns = " FROM " + kColumns + " AS c";
    v.push_back({{"sys.columns"}, columnColumns(), columns});
    v.push_back({{"sys.computed_columns"},
                 columnColumns() + std::vector<ViewColumn>{{"definition", "nvarchar(max)", "c.computed_text"},
                                                           {"uses_database_collation", "bit", "1"},
                                                           {"is_persisted", "bit", "c.is_persisted"}},
                 columns + " WHERE c.computed_text IS NOT NULL"});
    v.push_back(
        {{"sys.identity_columns"},
         columnColumns() + std::vector<ViewColumn>{{"seed_value", "bigint", "c.identity_seed"},
                                                   {"increment_value", "bigint", "c.identity_increment"},
                                                   {"last_value", "bigint", "o.identity_last"},
                                                   {"is_not_for_replication", "bit", "0"}},
         columns + " JOIN " + kObjects + " AS o ON o.id = c.object_id WHERE c.identity_seed IS NOT NULL"});
    v.push_back({{"sys.types"},
                 {{"name", "sysname", "t.name"},
                  {"system_type_id", "tinyint", "t.system_type_id"},
                  {"user_type_id", "int", "t.user_type_id"},
                  {"schema_id", "int", "4"},
                  {"principal_id", "int", "NULL"},
                  {"max_length", "smallint", "t.max_length"},
                  {"precision", "tinyint", "t.precision"},
                  {"scale", "tinyint", "t.scale"},
                  {"collation_name", "sysname", "CASE WHEN t.is_character THEN 'Czech_CI_AS' END"},
                  {"is_nullable", "bit", "t.is_nullable"},
                  {"is_user_defined", "bit", "0"},
                  {"is_assembly_type", "bit", "0"},
                  {"default_object_id", "int", "0"},
                  {"rule_object_id", "int", "0"},
                  {"is_table_type", "bit", "0"}},
                 " FROM temp.tsql_sys_types AS t"});

    const std::vector<ViewColumn> schemaColumns = {{"TABLE_CATALOG", "nvarchar(128)", kDatabase},
                                                   {"TABLE_SCHEMA", "nvarchar(128)", "'dbo'"},
                                                   {"TABLE_NAME", "sysname", "o.name"}};
    v.push_back(
        {{"INFORMATION_SCHEMA.TABLES"},
         schemaColumns + std::vector<ViewColumn>{{"TABLE_TYPE", "varchar(10)",
                                                  "CASE o.type WHEN 'U' THEN 'BASE TABLE' ELSE 'VIEW' END"}},
         objects + " WHERE o.type IN ('U', 'V')"});
    v.push_back(
        {{"INFORMATION_SCHEMA.COLUMNS"},
         schemaColumns +
             std::vector<ViewColumn>{
                 {"COLUMN_NAME", "sysname", "c.name"},
                 {"ORDINAL_POSITION", "int", "c.column_id"},
                 {"COLUMN_DEFAULT", "nvarchar(4000)",
                  "(SELECT d.definition FROM " + kObjects + " AS d WHERE d.id = c.default_id)"},
                 {"IS_NULLABLE", "varchar(3)", "CASE WHEN c.nullable THEN 'YES' ELSE 'NO' END"},
                 {"DATA_TYPE", "nvarchar(128)", fact(TypeName)},
                 {"CHARACTER_MAXIMUM_LENGTH", "int", fact(CharacterLength)},
                 {"CHARACTER_OCTET_LENGTH", "int", fact(OctetLength)},
                 {"NUMERIC_PRECISION", "tinyint", fact(NumericPrecision)},
                 {"NUMERIC_PRECISION_RADIX", "smallint", fact(NumericRadix)},
                 {"NUMERIC_SCALE", "int", fact(NumericScale)},
                 {"DATETIME_PRECISION", "smallint", fact(DatetimePrecision)},
                 {"COLLATION_NAME", "sysname", "CASE WHEN " + fact(IsCharacter) + " THEN 'Czech_CI_AS' END"}},
         columns + " JOIN " + kObjects + " AS o ON o.id = c.object_id WHERE o.type IN ('U', 'V')"});
    v.push_back(
        {{"INFORMATION_SCHEMA.ROUTINES"},
         {{"SPECIFIC_CATALOG", "nvarchar(128)", kDatabase},
          {"SPECIFIC_SCHEMA", "nvarchar(128)", "'dbo'"},
          {"SPECIFIC_NAME", "sysname", "o.name"},
          {"ROUTINE_CATALOG", "nvarchar(128)", kDatabase},
          {"ROUTINE_SCHEMA", "nvarchar(128)", "'dbo'"},
          {"ROUTINE_NAME", "sysname", "o.name"},
          {"ROUTINE_TYPE", "nvarchar(20)", "CASE o.type WHEN 'P' THEN 'PROCEDURE' ELSE 'FUNCTION' END"},
          {"ROUTINE_BODY", "nvarchar(30)", "'SQL'"},
          {"ROUTINE_DEFINITION", "nvarchar(4000)", "substr(o.definition, 1, 4000)"},
          {"IS_DETERMINISTIC", "nvarchar(10)", "'NO'"},
          {"SQL_DATA_ACCESS", "nvarchar(30)", "'MODIFIES'"},
          {"CREATED", "datetime", "tsql_sys_date(o.create_date)"},
          {"LAST_ALTERED", "datetime", "tsql_sys_date(o.modify_date)"}},
         objects + " WHERE o.type IN ('P', 'FN', 'IF', 'TF')"});
    return v;
}

struct SystemView {
    ViewDefinition definition;
    TableInfo table;
};

DataType parseType(const std::string& text) {
    const std::size_t open = text.find('(');
    std::vector<int> params;
    if (open != std::string::npos) {
        const std::string inside = text.substr(open + 1, text.size() - open - 2);
        if (inside == "max")
            params.push_back(DataType::kMax);
        else
            for (std::size_t at = 0; at < inside.size();) {
                std::size_t comma = inside.find(',', at);
                if (comma == std::string::npos)
                    comma = inside.size();
                params.push_back(std::stoi(inside.substr(at, comma - at)));
                at = comma + 1;
            }
    }
    return *DataType::fromName(text.substr(0, open), params);
}

const std::vector<SystemView>& systemViews() {
    static const std::vector<SystemView> views = [] {
        std::vector<SystemView> out;
        for (ViewDefinition& d : definitions()) {
            SystemView view{d, {}};
            view.table.name = d.names.front();
            view.table.systemView = "temp.tsql_sys_view" + std::to_string(out.size());
            for (const ViewColumn& c : d.columns) {
                ColumnInfo column;
                column.name = c.name;
                column.type = parseType(c.type);
                view.table.columns.push_back(std::move(column));
            }
            out.push_back(std::move(view));
        }
        return out;
    }();
    return views;
}

// The SQL text of a view; its columns are c0, c1, ... like a storage table's.
std::string viewSql(const SystemView& view) {
    std::string sql = "CREATE TEMP VIEW IF NOT EXISTS " + view.table.systemView.substr(5) + " AS SELECT ";
    const auto& columns = view.definition.columns;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + columns[i].value;
        if (view.table.columns[i].type.isCharacter())
            sql += " COLLATE TSQL_CI_AS";
        sql += " AS " + TableInfo::storageColumn(i);
    }
    sql += view.definition.from;
    if (!view.definition.unionWith.empty())
        sql += " UNION ALL " + view.definition.unionWith;
    return sql;
}

void run(sqlite3* db, const std::string& sql) {
    SqliteStatement s(db, sql);
    s.step();
}

// tsql_sys_col(what, type_id, length, precision, scale): a fact of a column's type.
void columnFact(sqlite3_context* ctx, int, sqlite3_value** argv) {
    DataType t;
    t.id = static_cast<TypeId>(sqlite3_value_int(argv[1]));
    t.length = sqlite3_value_int(argv[2]);
    t.precision = static_cast<std::uint8_t>(sqlite3_value_int(argv[3]));
    t.scale = static_cast<std::uint8_t>(sqlite3_value_int(argv[4]));
    const ColumnFacts f = columnFacts(t);
    const auto result = [&](std::optional<int> v) {
        if (v)
            sqlite3_result_int(ctx, *v);
        else
            sqlite3_result_null(ctx);
    };
    switch (static_cast<Fact>(sqlite3_value_int(argv[0]))) {
    case SystemTypeId:
        return result(f.systemTypeId);
    case MaxLength:
        return result(f.maxLength);
    case Precision:
        return result(f.precision);
    case Scale:
        return result(f.scale);
    case LegacyPrecision:
        return result(f.legacyPrecision);
    case LegacyScale:
        return result(f.legacyScale);
    case CharacterLength:
        return result(f.characterLength);
    case OctetLength:
        return result(t.hasLength() || t.isLob()
                          ? std::optional<int>(t.isLob() ? f.legacyPrecision : f.maxLength)
                          : std::nullopt);
    case NumericPrecision:
        return result(f.numericPrecision);
    case NumericRadix:
        return result(f.numericRadix);
    case NumericScale:
        return result(f.numericScale);
    case DatetimePrecision:
        return result(f.datetimePrecision);
    case TypeName: {
        const std::string_view name = t.name();
        sqlite3_result_text(ctx, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
        return;
    }
    case IsCharacter:
        return result(t.isCharacter() ? 1 : 0);
    }
    sqlite3_result_null(ctx);
}

// tsql_sys_date(text): a catalog date ('YYYY-MM-DD HH:MM:SS.fff') as a stored datetime.
void catalogDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        resultValue(ctx, convert(Value::varchar(text), DataType::of(TypeId::DateTime),
                                 ConversionMode::Explicit, 121));
    } catch (const std::exception&) {
        sqlite3_result_null(ctx);
    }
}

// The comma-separated integers of a list ("3,1,2").
std::vector<std::int64_t> listItems(sqlite3_value* v) {
    std::vector<std::int64_t> out;
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return out;
    const std::string text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    for (std::size_t at = 0; at < text.size();) {
        std::size_t comma = text.find(',', at);
        if (comma == std::string::npos)
            comma = text.size();
        if (comma > at)
            out.push_back(std::stoll(text.substr(at, comma - at)));
        at = comma + 1;
    }
    return out;
}

// tsql_list_item(list, n): the n-th (1-based) item, NULL beyond the end.
void listItem(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const auto items = listItems(argv[0]);
    const std::int64_t n = sqlite3_value_int64(argv[1]);
    if (n < 1 || n > static_cast<std::int64_t>(items.size()))
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int64(ctx, items[static_cast<std::size_t>(n - 1)]);
}

void listCount(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int64(ctx, static_cast<std::int64_t>(listItems(argv[0]).size()));
}

void addFunction(sqlite3* db, const char* name, int args,
                 void (*fn)(sqlite3_context*, int, sqlite3_value**)) {
    if (sqlite3_create_function_v2(db, name, args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, fn, nullptr,
                                   nullptr, nullptr) != SQLITE_OK)
        throw SqlError(50902, 16, 1, std::string("Cannot register ") + name + ": " + sqlite3_errmsg(db));
}

void createTypeTable(sqlite3* db) {
    run(db, "CREATE TEMP TABLE IF NOT EXISTS tsql_sys_types(user_type_id INTEGER PRIMARY KEY, system_type_id "
            "INTEGER, name TEXT COLLATE TSQL_CI_AS, max_length INTEGER, precision INTEGER, scale INTEGER, "
            "is_nullable INTEGER, variable INTEGER, is_character INTEGER, is_numeric INTEGER, prec INTEGER)");
    run(db, "DELETE FROM temp.tsql_sys_types");
    for (const ServerType& t : serverTypes()) {
        const DataType engine = DataType::of(t.engineType.value_or(TypeId::NVarChar));
        const bool varying =
            t.engineType ? (engine.hasLength() && !engine.isFixedLength()) || engine.isLob() : true;
        int prec = t.engineType == TypeId::UniqueIdentifier ? 36 : t.precision;
        if (engine.hasLength())
            prec = engine.isUnicode() ? t.maxLength / 2 : t.maxLength;
        if (engine.isLob())
            prec = engine.isUnicode() ? 1073741823 : 2147483647;
        SqliteStatement s(
            db, "INSERT INTO temp.tsql_sys_types VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
        s.bindInt(1, t.userTypeId);
        s.bindInt(2, t.systemTypeId);
        s.bindText(3, std::string(t.name));
        s.bindInt(4, t.maxLength);
        s.bindInt(5, t.precision);
        s.bindInt(6, t.scale);
        s.bindInt(7, t.engineType ? 1 : 0);
        s.bindInt(8, varying ? 1 : 0);
        s.bindInt(9, engine.isCharacter() ? 1 : 0);
        s.bindInt(10, t.engineType && engine.isNumeric() ? 1 : 0);
        s.bindInt(11, prec);
        s.step();
    }
}

} // namespace

void createCatalogViews(sqlite3* db) {
    addFunction(db, "tsql_sys_col", 5, columnFact);
    addFunction(db, "tsql_sys_date", 1, catalogDate);
    addFunction(db, "tsql_list_item", 2, listItem);
    addFunction(db, "tsql_list_count", 1, listCount);
    createTypeTable(db);
    run(db, "CREATE TEMP TABLE IF NOT EXISTS tsql_sys_numbers(n INTEGER PRIMARY KEY)");
    run(db,
        "INSERT OR IGNORE INTO temp.tsql_sys_numbers WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
        "FROM k WHERE n < 4096) SELECT n FROM k");
    for (const SystemView& view : systemViews())
        run(db, viewSql(view));
}

std::optional<TableInfo> findSystemView(std::string_view name) {
    const std::string folded = foldName(name);
    for (const SystemView& view : systemViews())
        for (const std::string& n : view.definition.names)
            if (foldName(n) == folded)
                return view.table;
    return std::nullopt;
}

} // namespace tsql
