// init and sql: creating a host database and running T-SQL scripts on it.

#include "Commands.h"

#include "ScriptRunner.h"
#include "devhost/HostDatabaseSetup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace provozmathost {

std::shared_ptr<tsql::Database> openExistingDatabase(const std::string& path) {
    if (!std::filesystem::exists(path))
        throw std::runtime_error(path + " does not exist; create it with provozmat-host init --db " + path);
    return tsql::Database::open(path);
}

void publishComputerName(const devhost::HostSettings& settings) {
    setenv("COMPUTERNAME", settings.computerName.toLocal8Bit().constData(), 1);
}

int runInit(const CommandLine& line) {
    const std::string path = line.required("db");
    const std::string size = line.option("size").value_or("demo");
    if (size != "demo" && size != "benchmark")
        throw std::invalid_argument("--size is demo or benchmark, not \"" + size + "\"");
    const int seed = line.integer("seed", 1);
    devhost::initHostDatabase(
        path, size == "benchmark" ? devhost::DatabaseSize::Benchmark : devhost::DatabaseSize::Demo,
        line.flag("force"), static_cast<std::uint32_t>(seed));
    std::printf("created %s (%s)\n", path.c_str(), size.c_str());
    return 0;
}

int runSql(const CommandLine& line) {
    const devhost::HostSettings settings = hostSettings(line);
    tsql::SessionOptions options;
    options.login = settings.login;
    options.spid = settings.spid;
    // Like the engine shell, sql creates the file when it is absent, so that scripts can build a
    // database of their own.
    tsql::Session session(tsql::Database::open(line.required("db")), options);
    if (line.arguments.empty() || line.arguments[0] == "-") {
        tsql::runScript(std::cin, session, std::cout);
        return 0;
    }
    std::ifstream in(line.arguments[0], std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + line.arguments[0]);
    tsql::runScript(in, session, std::cout);
    return 0;
}

} // namespace provozmathost
