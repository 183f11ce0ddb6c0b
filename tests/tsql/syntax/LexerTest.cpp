#include "tsql/syntax/Lexer.h"
#include "tsql/syntax/SyntaxError.h"

#include <gtest/gtest.h>

#include <string>

namespace tsql {
namespace {

// Renders tokens as kind:text, separated by blanks, for compact expectations.
std::string render(std::string_view text) {
    std::string out;
    for (const Token& t : tokenize(text)) {
        if (t.kind == TokenKind::EndOfInput)
            break;
        if (!out.empty())
            out += ' ';
        switch (t.kind) {
        case TokenKind::Word:
            out += t.reserved ? "K:" : "W:";
            break;
        case TokenKind::QuotedIdentifier:
            out += "Q:";
            break;
        case TokenKind::Variable:
            out += "V:";
            break;
        case TokenKind::SystemVariable:
            out += "SV:";
            break;
        case TokenKind::String:
            out += "S:";
            break;
        case TokenKind::NString:
            out += "N:";
            break;
        case TokenKind::Integer:
            out += "I:";
            break;
        case TokenKind::Decimal:
            out += "D:";
            break;
        case TokenKind::Float:
            out += "F:";
            break;
        case TokenKind::Binary:
            out += "B:";
            break;
        case TokenKind::Money:
            out += "M:";
            break;
        case TokenKind::Operator:
            out += "O:";
            break;
        case TokenKind::EndOfInput:
            break;
        }
        const bool decoded = t.kind == TokenKind::QuotedIdentifier || t.kind == TokenKind::String ||
                             t.kind == TokenKind::NString;
        out += decoded ? t.value : std::string(t.text);
    }
    return out;
}

struct LexCase {
    const char* input;
    const char* expected;
};

class LexerTokens : public ::testing::TestWithParam<LexCase> {};

TEST_P(LexerTokens, SplitsAsExpected) {
    EXPECT_EQ(render(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lexer, LexerTokens,
    ::testing::Values(LexCase{"SELECT*FROM t", "K:SELECT O:* K:FROM W:t"},
                      LexCase{"IF(SELECT 1)>=2", "K:IF O:( K:SELECT I:1 O:) O:>= I:2"},
                      LexCase{"N'U')IS NULL", "N:U O:) K:IS K:NULL"},
                      LexCase{"INSERT t(a)VALUES(1)", "K:INSERT W:t O:( W:a O:) K:VALUES O:( I:1 O:)"},
                      LexCase{"select\rfrom\r\nwhere\tx", "K:select K:from K:where W:x"},
                      LexCase{"[a]]b] \"c\"\"d\"", "Q:a]b Q:c\"d"},
                      LexCase{"'it''s' N'Číslo' ''''", "S:it's N:Číslo S:'"},
                      LexCase{"@v @@ERROR #t ##g _x", "V:@v SV:@@ERROR W:#t W:##g W:_x"},
                      LexCase{"1 1.5 1. .5 1e5 1.5E-3 0x1F 0x $1.50",
                              "I:1 D:1.5 D:1. D:.5 F:1e5 F:1.5E-3 B:0x1F B:0x M:$1.50"},
                      LexCase{"a /* x /* nested */ y */ b -- rest\rc", "W:a W:b W:c"},
                      LexCase{"<> != !< !> <= += -= *= %= ^= |= &=",
                              "O:<> O:!= O:!< O:!> O:<= O:+= O:-= O:*= O:%= O:^= O:|= O:&="},
                      LexCase{"text name type definition Collation SCOPE_IDENTITY UP Typ",
                              "W:text W:name W:type W:definition W:Collation W:SCOPE_IDENTITY W:UP W:Typ"},
                      LexCase{"db..t", "W:db O:. O:. W:t"}, LexCase{"1a", "I:1 W:a"}, LexCase{"", ""},
                      LexCase{"/* only a comment */", ""}));

TEST(Lexer, PositionsCountCrLfAndCrAsOneLineBreak) {
    const auto tokens = tokenize("a\r\nb\rc\n  d");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[1].pos.line, 2u);
    EXPECT_EQ(tokens[2].pos.line, 3u);
    EXPECT_EQ(tokens[3].pos.line, 4u);
    EXPECT_EQ(tokens[3].pos.column, 3u);
    EXPECT_EQ(tokens[3].pos.offset, 9u);
}

TEST(Lexer, ColumnsCountCodePoints) {
    const auto tokens = tokenize("N'č' x");
    EXPECT_EQ(tokens[1].pos.column, 6u);
}

TEST(Lexer, StringsSpanLinesAndKeepLineCount) {
    const auto tokens = tokenize("'a\r\nb' c");
    EXPECT_EQ(tokens[0].value, "a\r\nb");
    EXPECT_EQ(tokens[1].pos.line, 2u);
}

struct LexErrorCase {
    const char* input;
    int number;
    const char* message;
    unsigned line;
};

class LexerErrors : public ::testing::TestWithParam<LexErrorCase> {};

TEST_P(LexerErrors, RaisesSqlServersError) {
    const auto& c = GetParam();
    try {
        tokenize(c.input);
        FAIL() << "no error for " << c.input;
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(e.message(), c.message);
        EXPECT_EQ(e.line(), c.line);
        EXPECT_EQ(e.severity(), 15);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lexer, LexerErrors,
    ::testing::Values(
        LexErrorCase{"SELECT 'abc", 105, "Unclosed quotation mark after the character string 'abc'.", 1},
        LexErrorCase{"\rSELECT N'x''", 105, "Unclosed quotation mark after the character string 'x'''.", 2},
        LexErrorCase{"SELECT [abc", 105, "Unclosed quotation mark after the character string 'abc'.", 1},
        LexErrorCase{"SELECT 1 /* /* */", 113, "Missing end comment mark '*/'.", 1},
        LexErrorCase{"SELECT ?", 102, "Incorrect syntax near '?'.", 1},
        LexErrorCase{"SELECT `a`", 102, "Incorrect syntax near '`'.", 1},
        LexErrorCase{"SELECT @ + 1", 102, "Incorrect syntax near '@'.", 1},
        LexErrorCase{"SELECT @@", 102, "Incorrect syntax near '@@'.", 1},
        LexErrorCase{"SELECT []", 1038,
                     "An object or column name is missing or empty. For SELECT INTO statements, verify each "
                     "column has a column name. In other cases, look for empty identifiers. Aliases defined "
                     "as \"\" or [] are not allowed. Change the alias to a valid name.",
                     1},
        LexErrorCase{"SELECT 123456789012345678901234567890123456789", 1007,
                     "The number '123456789012345678901234567890123456789' is out of the range for numeric "
                     "representation (maximum precision 38).",
                     1},
        LexErrorCase{"SELECT 1e999", 168,
                     "The floating point value '1e999' is out of the range of computer representation (8 "
                     "bytes).",
                     1}));

TEST(Lexer, RefusesIdentifiersLongerThan128Characters) {
    const std::string name(129, 'a');
    try {
        tokenize("SELECT " + name);
        FAIL();
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.number(), 103);
        EXPECT_EQ(e.message(), "The identifier that starts with '" + std::string(128, 'a') +
                                   "' is too long. Maximum length is 128.");
    }
    EXPECT_NO_THROW(tokenize("SELECT " + std::string(128, 'a')));
}

TEST(Lexer, LeadingZerosDoNotCountTowardsPrecision) {
    EXPECT_NO_THROW(tokenize("SELECT 0000000000" + std::string(38, '9')));
    EXPECT_THROW(tokenize("SELECT 0." + std::string(39, '1')), SyntaxError);
}

TEST(Lexer, HugeStringLiteralIsOneToken) {
    const std::string big(1 << 20, 'x');
    const auto tokens = tokenize("'" + big + "'");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].value.size(), big.size());
}

} // namespace
} // namespace tsql
