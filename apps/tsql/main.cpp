// tsql: runs a T-SQL script (a file, or standard input) against a database and prints the results.
//   tsql [--db FILE] [--login NAME] [SCRIPT]

#include "ScriptRunner.h"

#include "tsql/SqlError.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::string dbPath = ":memory:";
    std::string login = "sa";
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--db" || arg == "--login") && i + 1 < argc) {
            (arg == "--db" ? dbPath : login) = argv[++i];
        } else if (arg == "--help" || arg == "-h" || (!arg.empty() && arg[0] == '-' && arg != "-")) {
            std::cerr << "usage: tsql [--db FILE] [--login NAME] [SCRIPT]\n";
            return arg == "--help" || arg == "-h" ? 0 : 2;
        } else {
            script = arg;
        }
    }
    try {
        tsql::SessionOptions options;
        options.login = login;
        tsql::Session session(tsql::Database::open(dbPath), options);
        if (script.empty() || script == "-") {
            tsql::runScript(std::cin, session, std::cout);
        } else {
            std::ifstream in(script, std::ios::binary);
            if (!in) {
                std::cerr << "tsql: cannot read " << script << '\n';
                return 1;
            }
            tsql::runScript(in, session, std::cout);
        }
    } catch (const tsql::SqlError& e) {
        std::cerr << "tsql: " << e.message << '\n';
        return 1;
    }
    return 0;
}
