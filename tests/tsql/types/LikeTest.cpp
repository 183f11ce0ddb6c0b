#include "tsql/Like.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tsql {
namespace {

using testing::errorNumberOf;

TEST(LikeTest, Patterns) {
    struct Case {
        std::string text, pattern;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"Ivan", "I%", true},       {"ivan", "I%", true},     {"et_Tab", "et_%", true},
        {"etXTab", "et_%", true},   {"Ítem", "I%", false}, // accents count
        {"Číslo", "čí%", true},     {"abc", "a_c", true},     {"ac", "a_c", false},
        {"abc", "%c", true},        {"abc ", "abc", false}, // trailing blanks count
        {"abc", "abc ", false},     {"", "%", true},          {"", "_", false},
        {"aXbXc", "%X%X%", true},   {"aXbc", "%X%X%", false}, {"b", "[a-c]", true},
        {"B", "[a-c]", true},       {"á", "[a-c]", true},     {"d", "[a-c]", false},
        {"d", "[^a-c]", true},      {"x", "[xyz]", true},     {"X", "[xyz]", true},
        {"[", "[", true},           {"12.5%", "%[%]", true},  {"50", "%[%]", false},
        {"A1", "[A-Z][0-9]", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LikePattern(c.pattern).matches(c.text), c.expected) << c.text << " LIKE " << c.pattern;
}

TEST(LikeTest, EscapeCharacter) {
    EXPECT_TRUE(LikePattern("10!%", "!").matches("10%"));
    EXPECT_FALSE(LikePattern("10!%", "!").matches("100"));
    EXPECT_TRUE(LikePattern("a!_b", "!").matches("a_b"));
    EXPECT_FALSE(LikePattern("a!_b", "!").matches("axb"));
    EXPECT_EQ(errorNumberOf([] { LikePattern("a", "!!"); }), 506);
    EXPECT_EQ(errorNumberOf([] { LikePattern("a", ""); }), 506);
}

TEST(LikeTest, RegisteredSqliteFunction) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    LikePattern::registerOn(db);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db,
                           "SELECT tsql_like('Číslo', 'čí%'), tsql_like('abc', 'x%'), tsql_like(NULL, '%'), "
                           "tsql_like('a%', 'a!%', '!')",
                           -1, &stmt, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), 1);
    EXPECT_EQ(sqlite3_column_int(stmt, 1), 0);
    EXPECT_EQ(sqlite3_column_type(stmt, 2), SQLITE_NULL);
    EXPECT_EQ(sqlite3_column_int(stmt, 3), 1);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

} // namespace
} // namespace tsql
