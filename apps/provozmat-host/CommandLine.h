#pragma once
// The command line of provozmat-host: a subcommand, its options (--name value, or a bare
// flag) and plain arguments, and the workstation settings the common options give.

#include "devhost/Workstation.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace provozmathost {

struct CommandLine {
    std::string command;
    std::map<std::string, std::string> options; // without the leading "--"
    std::set<std::string> flags;
    std::vector<std::string> arguments;

    // Throws std::invalid_argument for an option the command does not know or one without
    // its value.
    static CommandLine parse(int argc, char** argv);

    std::optional<std::string> option(const std::string& name) const;
    std::string required(const std::string& name) const; // std::invalid_argument when absent
    int integer(const std::string& name, int fallback) const;
    bool flag(const std::string& name) const { return flags.count(name) != 0; }
};

// --login, --spid, --computer, --sql-version MAJOR.MINOR.BUILD, --host-version HEX,
// --print-folder DIR.
devhost::HostSettings hostSettings(const CommandLine& line);

extern const char* const kUsage;

} // namespace provozmathost
