#include "devhost/HostDatabaseSetup.h"

#include "tsql/exec/Session.h"

#ifdef PROVOZMAT_HOST_DATABASE
#include "devhost/HostDatabase.h"
#endif

#include <filesystem>
#include <stdexcept>

namespace devhost {

namespace {

void removeDatabaseFiles(const std::string& path) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(path + suffix, ignored);
}

} // namespace

bool hostDatabaseAvailable() {
#ifdef PROVOZMAT_HOST_DATABASE
    return true;
#else
    return false;
#endif
}

void initHostDatabase(const std::string& path, DatabaseSize size, bool replace, std::uint32_t seed) {
    if (!hostDatabaseAvailable())
        throw std::runtime_error("the host database scripts are not part of this build");
    if (std::filesystem::exists(path)) {
        if (!replace)
            throw std::runtime_error(path + " exists already; give --force to replace it");
        removeDatabaseFiles(path);
    }
    try {
        tsql::Session session(tsql::Database::open(path));
#ifdef PROVOZMAT_HOST_DATABASE
        createHostDatabase(session, size == DatabaseSize::Benchmark ? DemoSize::Benchmark : DemoSize::Demo,
                           seed);
#else
        (void)size;
        (void)seed;
#endif
    } catch (...) {
        removeDatabaseFiles(path);
        throw;
    }
}

} // namespace devhost
