// provozmat-host: the development host. Creates a host database, runs T-SQL on it, runs the
// plug-in module in a browse context without windows, or opens the host's main window.

#include "CommandLine.h"
#include "Commands.h"

#include <cstdio>
#include <exception>
#include <stdexcept>

int main(int argc, char** argv) {
    using namespace provozmathost;
    try {
        const CommandLine line = CommandLine::parse(argc, argv);
        if (line.flag("help") || line.command.empty() || line.command == "help") {
            std::fputs(kUsage, line.flag("help") || line.command == "help" ? stdout : stderr);
            return line.command.empty() && !line.flag("help") ? 2 : 0;
        }
        if (line.command == "init")
            return runInit(line);
        if (line.command == "sql")
            return runSql(line);
        if (line.command == "plugin")
            return runPlugin(line, argc, argv);
        if (line.command == "gui")
            return runGui(line, argc, argv);
        throw std::invalid_argument("unknown command " + line.command);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "provozmat-host: %s\n%s", e.what(), kUsage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "provozmat-host: %s\n", e.what());
        return 1;
    }
}
