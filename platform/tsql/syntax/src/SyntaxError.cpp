#include "tsql/syntax/SyntaxError.h"

#include <utility>

namespace tsql {

SyntaxError::SyntaxError(int number, int severity, int state, std::uint32_t line, std::string message)
    : std::runtime_error(message), number_(number), severity_(severity), state_(state), line_(line),
      message_(std::move(message)) {}

namespace syntax_error {
namespace {
constexpr int kSeverity = 15;

SyntaxError make(int number, std::uint32_t line, std::string text) {
    return SyntaxError(number, kSeverity, 1, line, std::move(text));
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    out += text;
    out += '\'';
    return out;
}
} // namespace

SyntaxError near(std::uint32_t line, std::string_view tokenText) {
    return make(errc::kIncorrectSyntax, line, "Incorrect syntax near " + quoted(tokenText) + ".");
}

SyntaxError nearKeyword(std::uint32_t line, std::string_view keyword) {
    return make(errc::kIncorrectSyntaxKeyword, line,
                "Incorrect syntax near the keyword " + quoted(keyword) + ".");
}

SyntaxError unclosedQuotation(std::uint32_t line, std::string_view rest) {
    return make(errc::kUnclosedQuotation, line,
                "Unclosed quotation mark after the character string " + quoted(rest) + ".");
}

SyntaxError missingEndComment(std::uint32_t line) {
    return make(errc::kMissingEndComment, line, "Missing end comment mark '*/'.");
}

SyntaxError identifierTooLong(std::uint32_t line, std::string_view identifier) {
    return make(errc::kIdentifierTooLong, line,
                "The identifier that starts with " + quoted(identifier) +
                    " is too long. Maximum length is 128.");
}

SyntaxError numberOutOfRange(std::uint32_t line, std::string_view number) {
    return make(errc::kNumberOutOfRange, line,
                "The number " + quoted(number) +
                    " is out of the range for numeric representation (maximum precision 38).");
}

SyntaxError floatOutOfRange(std::uint32_t line, std::string_view number) {
    return make(errc::kFloatOutOfRange, line,
                "The floating point value " + quoted(number) +
                    " is out of the range of computer representation (8 bytes).");
}

SyntaxError mustBeFirstInBatch(std::uint32_t line, std::string_view statement) {
    return make(errc::kMustBeFirstInBatch, line,
                quoted(statement) + " must be the first statement in a query batch.");
}

SyntaxError nestedTooDeeply(std::uint32_t line) {
    return make(errc::kNestedTooDeeply, line,
                "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up "
                "into smaller queries.");
}

SyntaxError nonBooleanCondition(std::uint32_t line, std::string_view tokenText) {
    return make(errc::kNonBooleanCondition, line,
                "An expression of non-boolean type specified in a context where a condition is expected, "
                "near " +
                    quoted(tokenText) + ".");
}

SyntaxError previousStatementSemicolon(std::uint32_t line, std::string_view keyword) {
    return make(errc::kPreviousStatementSemicolon, line,
                "Incorrect syntax near the keyword " + quoted(keyword) +
                    ". If this statement is a common table expression, an xmlnamespaces clause or a change "
                    "tracking context clause, the previous statement must be terminated with a semicolon.");
}

SyntaxError mergeSemicolon(std::uint32_t line) {
    return make(errc::kMergeSemicolon, line, "A MERGE statement must be terminated by a semi-colon (;).");
}

SyntaxError emptyIdentifier(std::uint32_t line) {
    return make(errc::kEmptyIdentifier, line,
                "An object or column name is missing or empty. For SELECT INTO statements, verify each "
                "column has a column name. In other cases, look for empty identifiers. Aliases defined as "
                "\"\" or [] are not allowed. Change the alias to a valid name.");
}

SyntaxError duplicateLabel(std::uint32_t line, std::string_view label) {
    return make(errc::kDuplicateLabel, line,
                "The label " + quoted(label) +
                    " has already been declared. Label names must be unique within a query batch or stored "
                    "procedure.");
}

SyntaxError undeclaredLabel(std::uint32_t line, std::string_view label) {
    return make(errc::kUndeclaredLabel, line,
                "A GOTO statement references the label " + quoted(label) +
                    " but the label has not been declared.");
}

SyntaxError unsupported(std::uint32_t line, std::string_view construct) {
    return SyntaxError(errc::kUnsupportedConstruct, 16, 1, line,
                       "The construct " + quoted(construct) + " is not supported by this engine.");
}
} // namespace syntax_error

} // namespace tsql
