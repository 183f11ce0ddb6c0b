#pragma once
// Shared helpers of the parser tests: parse a batch and print it, or capture its error.

#include "tsql/syntax/AstPrinter.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/SyntaxError.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tsql::testing {

struct ParseCase {
    const char* input;
    const char* expected; // printed tree
    int level = kDefaultCompatibilityLevel;
};

inline std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << c.input;
}

inline std::string printed(const std::string& sql, int level = kDefaultCompatibilityLevel) {
    ParseOptions options;
    options.compatibilityLevel = level;
    return toString(parseBatch(sql, options));
}

struct ErrorCase {
    const char* input;
    int number;
    const char* message;
    unsigned line = 1;
    int level = kDefaultCompatibilityLevel;
};

inline std::ostream& operator<<(std::ostream& os, const ErrorCase& c) {
    return os << c.input;
}

class ParsesTo : public ::testing::TestWithParam<ParseCase> {};

inline void expectParse(const ParseCase& c) {
    try {
        EXPECT_EQ(printed(c.input, c.level), c.expected) << c.input;
    } catch (const SyntaxError& e) {
        ADD_FAILURE() << c.input << "\n  raised " << e.number() << ": " << e.message();
    }
}

inline void expectError(const ErrorCase& c) {
    ParseOptions options;
    options.compatibilityLevel = c.level;
    try {
        const Batch batch = parseBatch(c.input, options);
        ADD_FAILURE() << "no error for " << c.input << "\n  parsed as " << toString(batch);
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.number(), c.number) << c.input << "\n  " << e.message();
        if (c.message) {
            EXPECT_EQ(e.message(), c.message) << c.input;
        }
        EXPECT_EQ(e.line(), c.line) << c.input;
    }
}

} // namespace tsql::testing
