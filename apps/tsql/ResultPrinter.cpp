#include "ResultPrinter.h"

#include <string>

namespace tsql {
namespace {

// Line breaks inside a value would break the line format; each CR LF, CR or LF prints as <newline>.
std::string displayValue(const Value& v) {
    const std::string text = v.toDisplayString();
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "<newline>";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void printResultSet(const ResultSet& set, std::ostream& out) {
    out << "~~START~~\n";
    for (std::size_t i = 0; i < set.columns.size(); ++i)
        out << (i ? "#!#" : "") << set.columns[i].type.name();
    out << '\n';
    for (const auto& row : set.rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "#!#" : "") << displayValue(row[i]);
        out << '\n';
    }
    out << "~~END~~\n\n";
}

} // namespace

void printBatchResult(const BatchResult& result, std::ostream& out) {
    for (const auto& item : result.items) {
        if (const auto* set = std::get_if<ResultSet>(&item)) {
            printResultSet(*set, out);
        } else if (const auto* count = std::get_if<RowCount>(&item)) {
            if (count->rows > 0)
                out << "~~ROW COUNT: " << count->rows << "~~\n\n";
        } else if (const auto& m = std::get<Message>(item); m.isError()) {
            out << "~~ERROR (Code: " << m.number << ")~~\n\n~~ERROR (Message: " << m.text << ")~~\n\n";
        }
    }
}

} // namespace tsql
