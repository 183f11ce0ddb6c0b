#pragma once
// One lexical token of a T-SQL batch.

#include "tsql/syntax/SourcePosition.h"

#include <string>
#include <string_view>

namespace tsql {

enum class TokenKind {
    Word,             // regular identifier or keyword, also #temp and ##temp names
    QuotedIdentifier, // [name] or "name"; value holds the name with ]] or "" undone
    Variable,         // @name
    SystemVariable,   // @@NAME
    String,           // '...'; value holds the text with '' undone
    NString,          // N'...'
    Integer,          // 123
    Decimal,          // 1.5, 1., .5
    Float,            // 1e5, 1.5E-3
    Binary,           // 0x1F (also 0x alone)
    Money,            // $12.50
    Operator, // punctuation and operators: ( ) , . ; : + - * / % & | ^ ~ = <> != < > <= >= !< !> +=...
    EndOfInput,
};

struct Token {
    TokenKind kind = TokenKind::EndOfInput;
    std::string_view text; // exactly as written in the batch
    std::string value;     // decoded value for strings and quoted identifiers, else empty
    SourcePos pos;
    bool reserved = false; // a Word that is one of SQL Server's reserved keywords

    std::size_t endOffset() const noexcept { return pos.offset + text.size(); }
    bool isOperator(std::string_view op) const noexcept { return kind == TokenKind::Operator && text == op; }
    // The name of an identifier token: the decoded value when quoted, else the text.
    std::string_view name() const noexcept {
        return kind == TokenKind::QuotedIdentifier ? std::string_view(value) : text;
    }
};

} // namespace tsql
