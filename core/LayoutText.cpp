#include "LayoutText.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace core {

LayoutSyntaxError::LayoutSyntaxError(int line, const std::string& what)
    : m_line(line), m_message("line " + std::to_string(line) + ": " + what) {}

namespace {

struct Token {
    enum class Kind { End, Identifier, Integer, String, Symbol };
    Kind kind = Kind::End;
    std::string text;  // identifier, string bytes, or the symbol
    std::int32_t integer = 0;
    int line = 1;
};

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsKeyword(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(word[i])) != keyword[i]) return false;
    return true;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}

    Token Next() {
        SkipSpace();
        Token token;
        token.line = m_line;
        if (m_pos == m_text.size()) return token;
        const char c = m_text[m_pos];
        if (IsIdentStart(c)) return Identifier(token);
        if (IsDigit(c) || ((c == '-' || c == '+') && m_pos + 1 < m_text.size() && IsDigit(m_text[m_pos + 1])))
            return Integer(token);
        if (c == '\'' || c == '#') return String(token);
        if (c == ':' || c == '=' || c == '[' || c == ']' || c == ',') {
            ++m_pos;
            token.kind = Token::Kind::Symbol;
            token.text = std::string(1, c);
            return token;
        }
        throw LayoutSyntaxError(m_line, "unexpected character " + Describe(c));
    }

private:
    static std::string Describe(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x21 && byte < 0x7F) return std::string("'") + c + "'";
        return "#" + std::to_string(byte);
    }

    void SkipSpace() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n') ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r') return;
            ++m_pos;
        }
    }

    Token Identifier(Token& token) {
        const std::size_t start = m_pos;
        for (;;) {
            while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos])) ++m_pos;
            // A dotted name such as Font.Height is one identifier.
            if (m_pos + 1 < m_text.size() && m_text[m_pos] == '.' && IsIdentStart(m_text[m_pos + 1])) {
                ++m_pos;
                continue;
            }
            break;
        }
        token.kind = Token::Kind::Identifier;
        token.text = std::string(m_text.substr(start, m_pos - start));
        return token;
    }

    Token Integer(Token& token) {
        const std::size_t start = m_pos;
        if (m_text[m_pos] == '-' || m_text[m_pos] == '+') ++m_pos;
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
        const char* first = m_text.data() + start + (m_text[start] == '+' ? 1 : 0);
        const char* last = m_text.data() + m_pos;
        const auto [end, error] = std::from_chars(first, last, token.integer);
        if (error != std::errc{} || end != last)
            throw LayoutSyntaxError(m_line, "integer out of range: " + std::string(m_text.substr(start, m_pos - start)));
        if (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
            throw LayoutSyntaxError(m_line, "malformed integer");
        token.kind = Token::Kind::Integer;
        return token;
    }

    // A string is a run of quoted parts ('it''s') and character codes (#243) with nothing between.
    Token String(Token& token) {
        token.kind = Token::Kind::String;
        while (m_pos < m_text.size() && (m_text[m_pos] == '\'' || m_text[m_pos] == '#')) {
            if (m_text[m_pos] == '\'') QuotedPart(token.text);
            else CharacterCode(token.text);
            if (token.text.size() > kMaxString) throw LayoutSyntaxError(m_line, "string too long");
        }
        return token;
    }

    void QuotedPart(std::string& out) {
        ++m_pos;
        for (;;) {
            if (m_pos == m_text.size() || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')
                throw LayoutSyntaxError(m_line, "unterminated string");
            const char c = m_text[m_pos++];
            if (c == '\'') {
                if (m_pos < m_text.size() && m_text[m_pos] == '\'') {
                    out += '\'';
                    ++m_pos;
                    continue;
                }
                return;
            }
            // The text stays ASCII; other bytes are written as character codes.
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte >= 0x7F)
                throw LayoutSyntaxError(m_line, "character " + Describe(c) + " in a string; write it as a character code");
            out += c;
        }
    }

    void CharacterCode(std::string& out) {
        ++m_pos;
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
        int code = 0;
        const auto [end, error] = std::from_chars(m_text.data() + start, m_text.data() + m_pos, code);
        if (start == m_pos || error != std::errc{} || code < 1 || code > 255)
            throw LayoutSyntaxError(m_line, "character code must be 1 to 255");
        out += static_cast<char>(code);
    }

    static constexpr std::size_t kMaxString = 4096;
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

class Parser {
public:
    explicit Parser(std::string_view text) : m_lexer(text) { Advance(); }

    LayoutObject Root() {
        LayoutObject root = Object(1);
        if (m_token.kind != Token::Kind::End) throw Error("text after the end of the layout");
        return root;
    }

private:
    void Advance() { m_token = m_lexer.Next(); }

    LayoutSyntaxError Error(const std::string& what) const { return LayoutSyntaxError(m_token.line, what); }

    bool AtKeyword(std::string_view keyword) const {
        return m_token.kind == Token::Kind::Identifier && EqualsKeyword(m_token.text, keyword);
    }

    bool AtSymbol(char symbol) const {
        return m_token.kind == Token::Kind::Symbol && m_token.text[0] == symbol;
    }

    void ExpectSymbol(char symbol) {
        if (!AtSymbol(symbol)) throw Error(std::string("expected '") + symbol + "'");
        Advance();
    }

    std::string PlainName(const char* what) {
        if (m_token.kind != Token::Kind::Identifier || m_token.text.find('.') != std::string::npos)
            throw Error(std::string("expected ") + what);
        std::string name = m_token.text;
        Advance();
        return name;
    }

    LayoutObject Object(int depth) {
        if (depth > kMaxLayoutDepth) throw Error("objects nested too deeply");
        if (!AtKeyword("object")) throw Error("expected 'object'");
        LayoutObject object;
        object.line = m_token.line;
        Advance();
        object.name = PlainName("an object name");
        ExpectSymbol(':');
        object.className = PlainName("a class name");
        while (!AtKeyword("end")) {
            if (m_token.kind == Token::Kind::End) throw Error("missing 'end' of " + object.name);
            if (AtKeyword("object")) object.children.push_back(Object(depth + 1));
            else object.properties.push_back(Property());
        }
        Advance();
        return object;
    }

    LayoutProperty Property() {
        if (m_token.kind != Token::Kind::Identifier) throw Error("expected a property name");
        LayoutProperty property;
        property.name = m_token.text;
        property.line = m_token.line;
        Advance();
        ExpectSymbol('=');
        property.value = Value();
        return property;
    }

    LayoutValue Value() {
        LayoutValue value;
        switch (m_token.kind) {
        case Token::Kind::Integer:
            value.kind = LayoutValue::Kind::Integer;
            value.integer = m_token.integer;
            break;
        case Token::Kind::String:
            value.kind = LayoutValue::Kind::String;
            value.text = m_token.text;
            break;
        case Token::Kind::Identifier:
            if (AtKeyword("object") || AtKeyword("end")) throw Error("expected a value");
            value.kind = LayoutValue::Kind::Identifier;
            value.text = m_token.text;
            break;
        case Token::Kind::Symbol:
            if (!AtSymbol('[')) throw Error("expected a value");
            return Set();
        case Token::Kind::End:
            throw Error("expected a value");
        }
        Advance();
        return value;
    }

    LayoutValue Set() {
        LayoutValue value;
        value.kind = LayoutValue::Kind::Set;
        Advance();
        if (!AtSymbol(']')) {
            for (;;) {
                value.items.push_back(PlainName("a set member"));
                if (AtSymbol(']')) break;
                ExpectSymbol(',');
            }
        }
        Advance();
        return value;
    }

    Lexer m_lexer;
    Token m_token;
};

}  // namespace

LayoutObject ParseLayout(std::string_view text) { return Parser(text).Root(); }

}  // namespace core
