#include "BatchSplitter.h"

namespace devhost::detail {

namespace {

std::string_view trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

bool isGoLine(std::string_view line) {
    const std::string_view t = trimmed(line);
    return t.size() == 2 && (t[0] == 'G' || t[0] == 'g') && (t[1] == 'O' || t[1] == 'o');
}

// Whether the batch has anything besides blanks and line comments.
bool hasStatements(const std::string& text) {
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view t = trimmed(rest.substr(0, end));
        if (!t.empty() && t.substr(0, 2) != "--")
            return true;
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

} // namespace

std::vector<ScriptBatch> splitBatches(std::string_view script) {
    std::vector<ScriptBatch> batches;
    ScriptBatch current;
    std::uint32_t lineNumber = 0;
    auto finish = [&](std::uint32_t nextLine) {
        if (hasStatements(current.text))
            batches.push_back(std::move(current));
        current = ScriptBatch{nextLine, {}};
    };
    while (!script.empty()) {
        ++lineNumber;
        const auto end = script.find('\n');
        const std::string_view line = script.substr(0, end);
        if (isGoLine(line)) {
            finish(lineNumber + 1);
        } else {
            current.text.append(line);
            current.text += '\n';
        }
        if (end == std::string_view::npos)
            break;
        script.remove_prefix(end + 1);
    }
    finish(lineNumber + 1);
    return batches;
}

} // namespace devhost::detail
