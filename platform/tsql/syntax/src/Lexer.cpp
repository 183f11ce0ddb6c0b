#include "tsql/syntax/Lexer.h"

#include "tsql/syntax/Keywords.h"
#include "tsql/syntax/SyntaxError.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace tsql {
namespace {

constexpr std::size_t kMaxIdentifierLength = 128;
constexpr std::size_t kMaxNumericPrecision = 38;

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) noexcept {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isAsciiLetter(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// Bytes of multi-byte UTF-8 sequences count as letters, so names in any script are regular identifiers.
bool isNonAscii(char c) noexcept {
    return static_cast<unsigned char>(c) >= 0x80;
}
bool isIdentifierStart(char c) noexcept {
    return isAsciiLetter(c) || c == '_' || c == '#' || isNonAscii(c);
}
bool isIdentifierPart(char c) noexcept {
    return isAsciiLetter(c) || isDigit(c) || c == '_' || c == '#' || c == '@' || c == '$' || isNonAscii(c);
}
bool isWhiteSpace(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Counts code points of an identifier's text, for the 128-character limit.
std::size_t codePoints(std::string_view s) noexcept {
    std::size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

// The first `count` code points of `s`.
std::string_view prefixCodePoints(std::string_view s, std::size_t count) noexcept {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (seen == count)
                return s.substr(0, i);
            ++seen;
        }
    }
    return s;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        tokens.reserve(text_.size() / 4 + 2);
        for (;;) {
            skipBlanksAndComments();
            Token token;
            token.pos = position();
            if (at_ >= text_.size()) {
                token.kind = TokenKind::EndOfInput;
                token.text = text_.substr(text_.size());
                tokens.push_back(std::move(token));
                return tokens;
            }
            lexOne(token);
            tokens.push_back(std::move(token));
        }
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::uint32_t line_ = 1;
    std::size_t lineStart_ = 0;
    std::size_t columnOffset_ = 0;
    std::size_t column_ = 1;

    char peek(std::size_t ahead = 0) const noexcept {
        return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
    }
    bool more(std::size_t ahead = 0) const noexcept { return at_ + ahead < text_.size(); }

    // Columns are counted on from the previous token, so long lines stay linear.
    SourcePos position() noexcept {
        if (columnOffset_ < lineStart_) {
            columnOffset_ = lineStart_;
            column_ = 1;
        }
        column_ += codePoints(text_.substr(columnOffset_, at_ - columnOffset_));
        columnOffset_ = at_;
        SourcePos pos;
        pos.line = line_;
        pos.offset = at_;
        pos.column = static_cast<std::uint32_t>(column_);
        return pos;
    }

    // Advances one byte, counting CR, LF and CR LF as one line break each.
    void step() noexcept {
        const char c = text_[at_++];
        if (c == '\r') {
            if (more() && text_[at_] == '\n')
                ++at_;
            ++line_;
            lineStart_ = at_;
        } else if (c == '\n') {
            ++line_;
            lineStart_ = at_;
        }
    }

    void skipBlanksAndComments() {
        for (;;) {
            if (!more())
                return;
            const char c = peek();
            if (isWhiteSpace(c)) {
                step();
            } else if (c == '-' && peek(1) == '-') {
                while (more() && peek() != '\r' && peek() != '\n')
                    ++at_;
            } else if (c == '/' && peek(1) == '*') {
                skipBlockComment();
            } else {
                return;
            }
        }
    }

    // Block comments nest, as SQL Server's do.
    void skipBlockComment() {
        at_ += 2;
        int depth = 1;
        while (more()) {
            if (peek() == '/' && peek(1) == '*') {
                at_ += 2;
                ++depth;
            } else if (peek() == '*' && peek(1) == '/') {
                at_ += 2;
                if (--depth == 0)
                    return;
            } else {
                step();
            }
        }
        throw syntax_error::missingEndComment(line_);
    }

    void finish(Token& token, TokenKind kind) {
        token.kind = kind;
        token.text = text_.substr(token.pos.offset, at_ - token.pos.offset);
    }

    void lexOne(Token& token) {
        const char c = peek();
        if ((c == 'N' || c == 'n') && peek(1) == '\'') {
            ++at_;
            lexString(token, TokenKind::NString);
        } else if (c == '\'') {
            lexString(token, TokenKind::String);
        } else if (c == '[') {
            lexDelimited(token, ']');
        } else if (c == '"') {
            lexDelimited(token, '"');
        } else if (c == '@') {
            lexVariable(token);
        } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
            lexNumber(token);
        } else if (c == '$' && (isDigit(peek(1)) || (peek(1) == '.' && isDigit(peek(2))))) {
            ++at_;
            lexNumber(token);
            token.kind = TokenKind::Money;
        } else if (isIdentifierStart(c)) {
            lexWord(token);
        } else {
            lexOperator(token);
        }
    }

    // Reads up to the closing quote (consumed), a doubled quote standing for one, and returns the text.
    std::string readQuoted(char close, const Token& token) {
        const std::size_t contentStart = at_ + 1;
        step(); // opening quote
        std::string value;
        for (;;) {
            if (!more())
                throw syntax_error::unclosedQuotation(token.pos.line, text_.substr(contentStart));
            if (peek() == close) {
                if (peek(1) == close) {
                    value += close;
                    at_ += 2;
                    continue;
                }
                ++at_;
                return value;
            }
            const std::size_t before = at_;
            step();
            value.append(text_.substr(before, at_ - before));
        }
    }

    void lexString(Token& token, TokenKind kind) {
        token.value = readQuoted('\'', token);
        finish(token, kind);
    }

    void lexDelimited(Token& token, char close) {
        std::string value = readQuoted(close, token);
        if (value.empty())
            throw syntax_error::emptyIdentifier(token.pos.line);
        if (codePoints(value) > kMaxIdentifierLength)
            throw syntax_error::identifierTooLong(token.pos.line,
                                                  prefixCodePoints(value, kMaxIdentifierLength));
        token.value = std::move(value);
        finish(token, TokenKind::QuotedIdentifier);
    }

    void lexVariable(Token& token) {
        TokenKind kind = TokenKind::Variable;
        ++at_;
        if (peek() == '@') {
            ++at_;
            kind = TokenKind::SystemVariable;
        }
        const std::size_t nameStart = at_;
        while (more() && isIdentifierPart(peek()))
            ++at_;
        finish(token, kind);
        if (at_ == nameStart) // a lone @ or @@
            throw syntax_error::near(token.pos.line, token.text);
        checkLength(token);
    }

    void lexWord(Token& token) {
        while (more() && isIdentifierPart(peek()))
            ++at_;
        finish(token, TokenKind::Word);
        checkLength(token);
        token.reserved = isReservedKeyword(token.text);
    }

    void checkLength(const Token& token) const {
        if (codePoints(token.text) > kMaxIdentifierLength)
            throw syntax_error::identifierTooLong(token.pos.line,
                                                  prefixCodePoints(token.text, kMaxIdentifierLength));
    }

    void lexNumber(Token& token) {
        if (peek() == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
            at_ += 2;
            while (more() && isHexDigit(peek()))
                ++at_;
            finish(token, TokenKind::Binary);
            return;
        }
        const std::size_t start = at_;
        TokenKind kind = TokenKind::Integer;
        while (more() && isDigit(peek()))
            ++at_;
        if (peek() == '.') {
            kind = TokenKind::Decimal;
            ++at_;
            while (more() && isDigit(peek()))
                ++at_;
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            kind = TokenKind::Float;
            at_ += 2;
            while (more() && isDigit(peek()))
                ++at_;
        }
        finish(token, kind);
        const std::string_view digits = text_.substr(start, at_ - start);
        if (kind == TokenKind::Float) {
            const std::string copy(digits);
            errno = 0;
            const double value = std::strtod(copy.c_str(), nullptr);
            (void)value;
            if (errno == ERANGE)
                throw syntax_error::floatOutOfRange(token.pos.line, digits);
        } else if (significantDigits(digits) > kMaxNumericPrecision) {
            throw syntax_error::numberOutOfRange(token.pos.line, digits);
        }
    }

    // Digits of a decimal literal that count towards its precision: leading zeros of the integer
    // part do not, every digit of the fraction does.
    static std::size_t significantDigits(std::string_view digits) noexcept {
        std::size_t i = 0;
        while (i < digits.size() && digits[i] == '0')
            ++i;
        std::size_t count = 0;
        for (; i < digits.size(); ++i)
            if (isDigit(digits[i]))
                ++count;
        return count;
    }

    void lexOperator(Token& token) {
        const char c = peek();
        const char n = peek(1);
        std::size_t length = 1;
        switch (c) {
        case '<':
            length = (n == '=' || n == '>') ? 2 : 1;
            break;
        case '>':
            length = n == '=' ? 2 : 1;
            break;
        case '!':
            if (n != '=' && n != '<' && n != '>')
                throw syntax_error::near(line_, "!");
            length = 2;
            break;
        case '+':
        case '-':
        case '*':
        case '/':
        case '%':
        case '&':
        case '|':
        case '^':
            length = n == '=' ? 2 : 1;
            break;
        case '(':
        case ')':
        case ',':
        case '.':
        case ';':
        case ':':
        case '=':
        case '~':
            break;
        default:
            throw syntax_error::near(line_, badCharacter());
        }
        at_ += length;
        finish(token, TokenKind::Operator);
    }

    // The offending character as text: a whole UTF-8 sequence, or the byte itself.
    std::string_view badCharacter() const noexcept {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(peek());
        if (lead >= 0xC0) {
            while (length < 4 && more(length) && (static_cast<unsigned char>(peek(length)) & 0xC0) == 0x80)
                ++length;
        }
        return text_.substr(at_, length);
    }
};

} // namespace

std::vector<Token> tokenize(std::string_view text) {
    return Lexer(text).run();
}

} // namespace tsql
