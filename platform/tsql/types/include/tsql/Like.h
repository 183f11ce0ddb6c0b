#pragma once
// LIKE as the server matches it under the database collation: % any run, _ one character,
// [a-z] and [^...] sets with ranges ordered by the collation, an optional ESCAPE character, case
// ignored and accents kept. Trailing blanks count.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tsql {

class Collation;

class LikePattern {
public:
    // SqlError 506 when the escape is not exactly one character.
    explicit LikePattern(std::string_view pattern, std::optional<std::string_view> escape = std::nullopt);

    bool matches(std::string_view text) const;

    // Registers tsql_like(text, pattern) and tsql_like(text, pattern, escape) on the connection;
    // NULL in, NULL out. SqlError when SQLite refuses.
    static void registerOn(sqlite3* db);

private:
    struct Token {
        enum Kind { Literal, AnyOne, AnyRun, Set } kind = Literal;
        char32_t ch = 0;                                         // Literal: the case-folded character
        bool negated = false;                                    // Set: [^...]
        std::vector<char32_t> members;                           // Set: single characters, folded
        std::vector<std::pair<std::string, std::string>> ranges; // Set: a-z as UTF-8 bounds
    };
    bool matchesToken(const Token& t, char32_t c) const;

    std::vector<Token> tokens_;
};

} // namespace tsql
