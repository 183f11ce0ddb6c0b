#pragma once
// The exception raised for any error found while reading a batch, carrying SQL Server's message
// number, severity, state and the line it was found on, plus the factory functions for each message.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tsql {

// Message numbers used by the syntax layer. All but kUnsupportedConstruct are SQL Server's own.
namespace errc {
inline constexpr int kIncorrectSyntax = 102;        // Incorrect syntax near '%.*ls'.
inline constexpr int kIdentifierTooLong = 103;      // The identifier that starts with ... is too long.
inline constexpr int kUnclosedQuotation = 105;      // Unclosed quotation mark after the character string
inline constexpr int kMustBeFirstInBatch = 111;     // '%ls' must be the first statement in a query batch.
inline constexpr int kMissingEndComment = 113;      // Missing end comment mark '*/'.
inline constexpr int kDuplicateLabel = 132;         // The label ... has already been declared.
inline constexpr int kUndeclaredLabel = 133;        // A GOTO statement references the label ...
inline constexpr int kIncorrectSyntaxKeyword = 156; // Incorrect syntax near the keyword '%.*ls'.
inline constexpr int kFloatOutOfRange = 168;        // The floating point value ... is out of the range ...
inline constexpr int kNestedTooDeeply = 191;        // Some part of your SQL statement is nested too deeply.
inline constexpr int kPreviousStatementSemicolon = 319; // ... the previous statement must be terminated ...
inline constexpr int kNumberOutOfRange = 1007;          // The number ... is out of the range for numeric ...
inline constexpr int kEmptyIdentifier = 1038;           // An object or column name is missing or empty.
inline constexpr int kNonBooleanCondition = 4145;       // An expression of non-boolean type specified ...
inline constexpr int kMergeSemicolon = 10713; // A MERGE statement must be terminated by a semi-colon (;).
// The engine's own number for a construct of T-SQL that the engine does not implement.
inline constexpr int kUnsupportedConstruct = 50900;
} // namespace errc

class SyntaxError : public std::runtime_error {
public:
    SyntaxError(int number, int severity, int state, std::uint32_t line, std::string message);

    int number() const noexcept { return number_; }
    int severity() const noexcept { return severity_; }
    int state() const noexcept { return state_; }
    std::uint32_t line() const noexcept { return line_; }
    const std::string& message() const noexcept { return message_; }

private:
    int number_;
    int severity_;
    int state_;
    std::uint32_t line_;
    std::string message_;
};

// Factories, one per message; `near` is the token text as SQL Server quotes it.
namespace syntax_error {
SyntaxError near(std::uint32_t line, std::string_view tokenText);
SyntaxError nearKeyword(std::uint32_t line, std::string_view keyword);
SyntaxError unclosedQuotation(std::uint32_t line, std::string_view rest);
SyntaxError missingEndComment(std::uint32_t line);
SyntaxError identifierTooLong(std::uint32_t line, std::string_view identifier);
SyntaxError numberOutOfRange(std::uint32_t line, std::string_view number);
SyntaxError floatOutOfRange(std::uint32_t line, std::string_view number);
SyntaxError mustBeFirstInBatch(std::uint32_t line, std::string_view statement);
SyntaxError nestedTooDeeply(std::uint32_t line);
SyntaxError nonBooleanCondition(std::uint32_t line, std::string_view tokenText);
SyntaxError previousStatementSemicolon(std::uint32_t line, std::string_view keyword);
SyntaxError mergeSemicolon(std::uint32_t line);
SyntaxError emptyIdentifier(std::uint32_t line);
SyntaxError duplicateLabel(std::uint32_t line, std::string_view label);
SyntaxError undeclaredLabel(std::uint32_t line, std::string_view label);
SyntaxError unsupported(std::uint32_t line, std::string_view construct);
} // namespace syntax_error

} // namespace tsql
