#include "LayoutText.h"

#include <gtest/gtest.h>

namespace {

using core::LayoutValue;
using core::ParseLayout;

TEST(ParseLayout, ReadsNestedObjectsAndEveryKindOfValue) {
    const auto root = ParseLayout(
        "object Form1: TForm1\r\n"
        "  Left = -238\r\n"
        "  Caption = 'Wyb'#243'r ''x'''\r\n"
        "  Font.Style = [fsBold, fsItalic]\r\n"
        "  Empty = []\r\n"
        "  OnShow = FormShow\r\n"
        "  object Panel1: TPanel\r\n"
        "    object Label1: TLabel\r\n"
        "      Top = +56\r\n"
        "    END\r\n"
        "  end\r\n"
        "  Object Panel2: TPanel\r\n"
        "  end\r\n"
        "end\r\n");
    EXPECT_EQ(root.name, "Form1");
    EXPECT_EQ(root.className, "TForm1");
    ASSERT_EQ(root.properties.size(), 5u);

    EXPECT_EQ(root.properties[0].name, "Left");
    EXPECT_EQ(root.properties[0].value.kind, LayoutValue::Kind::Integer);
    EXPECT_EQ(root.properties[0].value.integer, -238);
    EXPECT_EQ(root.properties[0].line, 2);

    EXPECT_EQ(root.properties[1].value.kind, LayoutValue::Kind::String);
    EXPECT_EQ(root.properties[1].value.text, "Wyb\xF3r 'x'");

    EXPECT_EQ(root.properties[2].name, "Font.Style");
    EXPECT_EQ(root.properties[2].value.kind, LayoutValue::Kind::Set);
    EXPECT_EQ(root.properties[2].value.items, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(root.properties[3].value.items.empty());

    EXPECT_EQ(root.properties[4].value.kind, LayoutValue::Kind::Identifier);
    EXPECT_EQ(root.properties[4].value.text, "FormShow");

    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].name, "Panel1");
    ASSERT_EQ(root.children[0].children.size(), 1u);
    EXPECT_EQ(root.children[0].children[0].className, "TLabel");
    EXPECT_EQ(root.children[0].children[0].properties[0].value.integer, 56);
    EXPECT_EQ(root.children[0].children[0].line, 8);
    EXPECT_EQ(root.children[1].name, "Panel2");
}

TEST(ParseLayout, RefusesMalformedTextWithTheLineOfTheFault) {
    struct Case { const char* text; int line; const char* fragment; };
    const Case cases[] = {
        {"", 1, "expected 'object'"},
        {"object Form1: TForm1\n", 2, "missing 'end' of Form1"},
        {"object Form1 TForm1\nend\n", 1, "expected ':'"},
        {"object Form1: TForm1\n  Left 5\nend\n", 2, "expected '='"},
        {"object Form1: TForm1\n  Left =\nend\n", 3, "expected a value"},
        {"object Form1: TForm1\n  Caption = 'open\nend\n", 2, "unterminated string"},
        {"object Form1: TForm1\n  Caption = 'a'#0\nend\n", 2, "character code must be 1 to 255"},
        {"object Form1: TForm1\n  Caption = #256\nend\n", 2, "character code must be 1 to 255"},
        {"object Form1: TForm1\n  Caption = #\nend\n", 2, "character code must be 1 to 255"},
        {"object Form1: TForm1\n  Caption = 'Wyb\xF3r'\nend\n", 2, "write it as a character code"},
        {"object Form1: TForm1\n  Left = 2147483648\nend\n", 2, "integer out of range"},
        {"object Form1: TForm1\n  Left = -2147483649\nend\n", 2, "integer out of range"},
        {"object Form1: TForm1\n  Left = 12px\nend\n", 2, "malformed integer"},
        {"object Form1: TForm1\n  Font. = 1\nend\n", 2, "unexpected character '.'"},
        {"object Form1: TForm1\n  Style = [fsBold fsItalic]\nend\n", 2, "expected ','"},
        {"object Form1: TForm1\n  Style = [fsBold,]\nend\n", 2, "expected a set member"},
        {"object Form.1: TForm1\nend\n", 1, "unexpected character '.'"},
        {"object Form1: TForm1\nend\nobject Form2: TForm1\nend\n", 3, "text after the end"},
        {"object Form1: TForm1\n  Left = \x01\nend\n", 2, "unexpected character #1"},
    };
    for (const auto& c : cases) {
        try {
            ParseLayout(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const core::LayoutSyntaxError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
        }
    }
}

TEST(ParseLayout, RefusesNestingBeyondTheLimitButTakesItUpToIt) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "object P" + std::to_string(i) + ": TPanel\n";
        for (int i = 0; i < depth; ++i) text += "end\n";
        return text;
    };
    EXPECT_NO_THROW(ParseLayout(nested(core::kMaxLayoutDepth)));
    EXPECT_THROW(ParseLayout(nested(core::kMaxLayoutDepth + 1)), core::LayoutSyntaxError);
    EXPECT_THROW(ParseLayout(nested(100000)), core::LayoutSyntaxError);
}

}  // namespace
