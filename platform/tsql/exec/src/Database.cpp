#include "tsql/exec/Database.h"

#include "CatalogViews.h"
#include "MetadataFunctions.h"

#include "tsql/SqlError.h"
#include "tsql/codegen/RuntimeFunctions.h"

#include <sqlite3.h>

namespace tsql {

namespace {
constexpr int kBusyTimeoutMs = 10000;
} // namespace

std::shared_ptr<Database> Database::open(const std::string& path) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::shared_ptr<Database> db(new Database(raw)); // owns the handle even when opening failed
    if (rc != SQLITE_OK)
        throw SqlError(5120, 16, 101,
                       "Unable to open the physical file \"" + path + "\": " + sqlite3_errmsg(raw) + ".");
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    if (path != ":memory:")
        db->execute("PRAGMA journal_mode=WAL");
    registerRuntimeFunctions(raw);
    registerMetadataFunctions(raw);
    createCatalogViews(raw);
    return db;
}

void Database::execute(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw SqlError(50902, 16, 1, "The storage failed: " + text);
    }
}

Database::~Database() {
    releaseMetadataStatements(db_);
    sqlite3_close_v2(db_);
}

} // namespace tsql
