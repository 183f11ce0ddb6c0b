#include "base/SqlLiteral.h"
#include "base/PluginError.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace provozmat;

TEST(SqlLiteral, QuotesTextAndWritesNumbersPlainly) {
    EXPECT_EQ(sql::text("O'Brien"), "N'O''Brien'");
    EXPECT_EQ(sql::text(""), "N''");
    EXPECT_EQ(sql::text("'; DROP TABLE x --"), "N'''; DROP TABLE x --'");
    EXPECT_EQ(sql::ansiText("a'b"), "'a''b'");
    EXPECT_EQ(sql::integer(-12), "-12");
    EXPECT_EQ(sql::decimal(12.5), "12.5");
    EXPECT_EQ(sql::optionalInteger(std::nullopt), "NULL");
    EXPECT_EQ(sql::optionalText(QString("x")), "N'x'");
    EXPECT_THROW(sql::decimal(std::nan("")), PluginError);
}

TEST(SqlLiteral, BracketsNamesThatAreNotRegular) {
    EXPECT_TRUE(sql::isRegularIdentifier("Helios001"));
    EXPECT_TRUE(sql::isRegularIdentifier("_x"));
    EXPECT_FALSE(sql::isRegularIdentifier("1db"));
    EXPECT_FALSE(sql::isRegularIdentifier("my-db"));
    EXPECT_FALSE(sql::isRegularIdentifier(""));
    EXPECT_EQ(sql::bracketedName("a]b"), "[a]]b]");
}
