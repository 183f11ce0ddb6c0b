#include "tsql/Like.h"

#include "tsql/Collation.h"
#include "tsql/SqlError.h"
#include "tsql/SqliteFunctions.h"

#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace tsql {

namespace {

std::u32string decode(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    int32_t i = 0;
    const auto length = static_cast<int32_t>(s.size());
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(reinterpret_cast<const uint8_t*>(s.data()), i, length, c);
        out.push_back(c < 0 ? U'\uFFFD' : static_cast<char32_t>(c));
    }
    return out;
}

std::string encode(char32_t c) {
    std::string out(4, '\0');
    int32_t i = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<uint8_t*>(out.data()), i, 4, static_cast<UChar32>(c), error);
    out.resize(error ? 0 : static_cast<std::size_t>(i));
    return out;
}

char32_t fold(char32_t c) {
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

} // namespace

LikePattern::LikePattern(std::string_view pattern, std::optional<std::string_view> escape) {
    std::optional<char32_t> esc;
    if (escape) {
        const std::u32string e = decode(*escape);
        if (e.size() != 1)
            throw errors::invalidEscape(*escape, "LIKE");
        esc = e[0];
    }
    const std::u32string p = decode(pattern);
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char32_t c = p[i];
        Token t;
        if (esc && c == *esc) {
            if (i + 1 >= p.size())
                throw errors::invalidEscape(*escape, "LIKE");
            t.ch = fold(p[++i]);
        } else if (c == U'%') {
            if (!tokens_.empty() && tokens_.back().kind == Token::AnyRun)
                continue;
            t.kind = Token::AnyRun;
        } else if (c == U'_') {
            t.kind = Token::AnyOne;
        } else if (c == U'[' && p.find(U']', i + 1) != std::u32string::npos) {
            const std::size_t close = p.find(U']', i + 1);
            std::size_t j = i + 1;
            t.kind = Token::Set;
            if (j < close && p[j] == U'^') {
                t.negated = true;
                ++j;
            }
            for (; j < close; ++j) {
                if (j + 2 < close && p[j + 1] == U'-') {
                    t.ranges.emplace_back(encode(p[j]), encode(p[j + 2]));
                    j += 2;
                } else {
                    t.members.push_back(fold(p[j]));
                }
            }
            i = close;
        } else {
            t.ch = fold(c);
        }
        tokens_.push_back(std::move(t));
    }
}

bool LikePattern::matchesToken(const Token& t, char32_t c) const {
    switch (t.kind) {
    case Token::Literal:
        return fold(c) == t.ch;
    case Token::AnyOne:
        return true;
    case Token::AnyRun:
        return false;
    case Token::Set: {
        bool in = false;
        const char32_t f = fold(c);
        for (const char32_t m : t.members)
            in = in || m == f;
        if (!in && !t.ranges.empty()) {
            const std::string s = encode(c);
            const Collation& coll = Collation::standard();
            for (const auto& [low, high] : t.ranges)
                in = in || (coll.compare(low, s) <= 0 && coll.compare(s, high) <= 0);
        }
        return in != t.negated;
    }
    }
    return false;
}

bool LikePattern::matches(std::string_view text) const {
    const std::u32string s = decode(text);
    // Every token but % takes exactly one character, so one backtracking point suffices.
    std::size_t si = 0, ti = 0;
    std::size_t starToken = std::u32string::npos, starText = 0;
    while (si < s.size()) {
        if (ti < tokens_.size() && tokens_[ti].kind == Token::AnyRun) {
            starToken = ti++;
            starText = si;
        } else if (ti < tokens_.size() && matchesToken(tokens_[ti], s[si])) {
            ++ti;
            ++si;
        } else if (starToken != std::u32string::npos) {
            ti = starToken + 1;
            si = ++starText;
        } else {
            return false;
        }
    }
    while (ti < tokens_.size() && tokens_[ti].kind == Token::AnyRun)
        ++ti;
    return ti == tokens_.size();
}

namespace {

std::string_view textArgument(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p == nullptr ? std::string_view()
                        : std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v)));
}

void destroyPattern(void* p) {
    delete static_cast<LikePattern*>(p);
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    try {
        // The compiled pattern is kept with the statement while the pattern argument stays the same.
        auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 1));
        if (pattern == nullptr) {
            auto fresh = std::make_unique<LikePattern>(
                textArgument(argv[1]),
                argc == 3 ? std::optional<std::string_view>(textArgument(argv[2])) : std::nullopt);
            pattern = fresh.get();
            sqlite3_set_auxdata(ctx, 1, fresh.release(), destroyPattern);
            // SQLite may have destroyed it at once; ask again.
            auto* kept = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 1));
            if (kept == nullptr) {
                LikePattern once(textArgument(argv[1]),
                                 argc == 3 ? std::optional<std::string_view>(textArgument(argv[2]))
                                           : std::nullopt);
                sqlite3_result_int(ctx, once.matches(textArgument(argv[0])) ? 1 : 0);
                return;
            }
            pattern = kept;
        }
        sqlite3_result_int(ctx, pattern->matches(textArgument(argv[0])) ? 1 : 0);
    } catch (const SqlError& e) {
        reportToSqlite(ctx, e);
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

} // namespace

void LikePattern::registerOn(sqlite3* db) {
    for (const int argc : {2, 3}) {
        const int rc = sqlite3_create_function_v2(db, "tsql_like", argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                                  nullptr, likeFunction, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw SqlError(8114, 16, 1,
                           "Cannot register the LIKE function: " + std::string(sqlite3_errmsg(db)));
    }
}

} // namespace tsql
