#pragma once
// One database file (or an in-memory database) opened for the engine, in WAL mode with a busy
// timeout so that concurrent writers wait instead of failing.

#include <memory>
#include <string>

struct sqlite3;

namespace tsql {

class Database {
public:
    // Opens (creating when absent) the file at `path`, or a fresh database for ":memory:".
    // Throws SqlError when the file cannot be opened.
    static std::shared_ptr<Database> open(const std::string& path);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    sqlite3* handle() const noexcept { return db_; }

    // Runs fixed SQL of the engine (never text from a batch); SqlError 50902 when SQLite fails.
    void execute(const char* sql);

private:
    explicit Database(sqlite3* db) : db_(db) {}
    sqlite3* db_;
};

} // namespace tsql
