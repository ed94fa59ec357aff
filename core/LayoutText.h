// The layout text format: the classic form-file syntax of nested `object Name: TClass ... end`
// blocks holding `Property = value` lines. This reads the text into a tree; what the names mean is
// the class library's business.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct LayoutValue {
    enum class Kind { Integer, Identifier, String, Set };
    Kind kind = Kind::Integer;
    std::int32_t integer = 0;
    std::string text;                // identifier, or string bytes (Windows-1250)
    std::vector<std::string> items;  // set members
};

struct LayoutProperty {
    std::string name;  // may be dotted, as in Font.Height
    LayoutValue value;
    int line = 0;
};

struct LayoutObject {
    std::string name;
    std::string className;
    std::vector<LayoutProperty> properties;
    std::vector<LayoutObject> children;
    int line = 0;
};

// Derived from std::exception alone: the standard's own error classes would bring their whole
// string implementation into the programs a second time.
class LayoutSyntaxError : public std::exception {
public:
    LayoutSyntaxError(int line, const std::string& what);
    int Line() const { return m_line; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    int m_line;
    std::string m_message;
};

// Nesting deeper than this is refused rather than followed, so no text can exhaust the stack.
inline constexpr int kMaxLayoutDepth = 32;

// Reads one top-level object and nothing after it; throws LayoutSyntaxError.
LayoutObject ParseLayout(std::string_view text);

}  // namespace core
