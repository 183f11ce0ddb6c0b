#include "CommandLine.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace provozmathost {

namespace {

const std::set<std::string> kFlags = {"force", "help", "yes"};
const std::set<std::string> kValueOptions = {
    "db",       "size",  "seed", "browse",      "command",      "current",      "marked",
    "computer", "login", "spid", "sql-version", "host-version", "print-folder", "screenshots"};

int parseInteger(const std::string& name, const std::string& text) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size())
        throw std::invalid_argument("--" + name + " needs a whole number, not \"" + text + "\"");
    return value;
}

} // namespace

const char* const kUsage =
    "usage: provozmat-host COMMAND [options]\n"
    "  init   --db FILE [--size demo|benchmark] [--seed N] [--force]\n"
    "  sql    --db FILE [SCRIPT]            (standard input without SCRIPT)\n"
    "  plugin --db FILE --browse N --command ID [--current ID] [--marked ID,ID...] [--yes]\n"
    "  gui    --db FILE [--screenshots DIR]\n"
    "common options: --computer NAME --login NAME --spid N --sql-version MAJOR.MINOR.BUILD\n"
    "                --host-version HEX16 --print-folder DIR\n";

CommandLine CommandLine::parse(int argc, char** argv) {
    CommandLine line;
    int i = 1;
    if (i < argc && argv[i][0] != '-')
        line.command = argv[i++];
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0 || arg == "--") {
            line.arguments.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (kFlags.count(name)) {
            line.flags.insert(name);
        } else if (kValueOptions.count(name)) {
            if (i + 1 >= argc)
                throw std::invalid_argument(arg + " needs a value");
            line.options[name] = argv[++i];
        } else {
            throw std::invalid_argument("unknown option " + arg);
        }
    }
    return line;
}

std::optional<std::string> CommandLine::option(const std::string& name) const {
    const auto it = options.find(name);
    return it == options.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::string CommandLine::required(const std::string& name) const {
    const auto value = option(name);
    if (!value || value->empty())
        throw std::invalid_argument(command + " needs --" + name);
    return *value;
}

int CommandLine::integer(const std::string& name, int fallback) const {
    const auto value = option(name);
    return value ? parseInteger(name, *value) : fallback;
}

devhost::HostSettings hostSettings(const CommandLine& line) {
    devhost::HostSettings settings;
    if (const auto login = line.option("login"))
        settings.login = *login;
    settings.spid = line.integer("spid", settings.spid);
    if (settings.spid < 1 || settings.spid > 32767)
        throw std::invalid_argument("--spid must lie between 1 and 32767");
    if (const auto computer = line.option("computer"))
        settings.computerName = QString::fromStdString(*computer);
    if (const auto version = line.option("sql-version")) {
        const QStringList parts = QString::fromStdString(*version).split(u'.');
        if (parts.size() != 3)
            throw std::invalid_argument("--sql-version needs MAJOR.MINOR.BUILD, not \"" + *version + "\"");
        settings.sqlServerVersion =
            devhost::makeSqlServerVersion(parseInteger("sql-version", parts[0].toStdString()),
                                          parseInteger("sql-version", parts[1].toStdString()),
                                          parseInteger("sql-version", parts[2].toStdString()));
    }
    if (const auto version = line.option("host-version")) {
        bool ok = false;
        const qulonglong value = QString::fromStdString(*version).toULongLong(&ok, 16);
        if (!ok)
            throw std::invalid_argument("--host-version needs hexadecimal digits, not \"" + *version + "\"");
        settings.hostVersion = static_cast<std::int64_t>(value);
    }
    if (const auto folder = line.option("print-folder"))
        settings.printFolder = QString::fromStdString(*folder);
    return settings;
}

} // namespace provozmathost
