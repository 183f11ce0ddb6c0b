#pragma once
// The subcommands of provozmat-host; each returns the program's exit code and throws
// std::exception for bad input or a database that cannot be used.

#include "CommandLine.h"

namespace provozmathost {

int runInit(const CommandLine& line);
int runSql(const CommandLine& line);
int runPlugin(const CommandLine& line, int argc, char** argv);
int runGui(const CommandLine& line, int argc, char** argv);

// Opens an existing host database file; std::runtime_error when there is none.
std::shared_ptr<tsql::Database> openExistingDatabase(const std::string& path);

// Makes the computer name visible to the plug-in as a workstation's name is: in COMPUTERNAME.
void publishComputerName(const devhost::HostSettings& settings);

} // namespace provozmathost
