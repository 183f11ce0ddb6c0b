#include "ScriptRunner.h"

#include "ResultPrinter.h"

#include <string>

namespace tsql {
namespace {

bool isGoLine(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return false;
    const auto last = line.find_last_not_of(" \t\r");
    const std::string_view word = line.substr(first, last - first + 1);
    return word.size() == 2 && (word[0] == 'G' || word[0] == 'g') && (word[1] == 'O' || word[1] == 'o');
}

bool hasText(const std::string& batch) {
    return batch.find_first_not_of(" \t\r\n") != std::string::npos;
}

} // namespace

void runScript(std::istream& in, Session& session, std::ostream& out) {
    std::string batch;
    std::string line;
    while (std::getline(in, line)) {
        out << line << '\n';
        if (!isGoLine(line)) {
            batch += line;
            batch += '\n';
            continue;
        }
        if (hasText(batch))
            printBatchResult(session.run(batch), out);
        batch.clear();
    }
    if (hasText(batch))
        printBatchResult(session.run(batch), out);
}

} // namespace tsql
