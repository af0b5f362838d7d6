#include <gtest/gtest.h>

#include "LayoutText.h"

using layout::Item;
using layout::LayoutError;
using layout::ParseLayout;

TEST(LayoutTextTest, ReadsComponentsPropertiesAndChildrenInOrder) {
    layout::Node form = ParseLayout(
        "# the chooser\n"
        "TForm2 Form2 {\n"
        "  Caption: \"Install \\\"Idiom\\\"\\r\\n\"   # trailing comment\n"
        "  ClientSize: 264, -57\n"
        "  BorderIcons: biSystemMenu, biMinimize\n"
        "  TButton Button1 {\n"
        "    Caption: \"Portugu\xC3\xAAs\"\n"
        "    OnClick: Button1Click\n"
        "  }\n"
        "  TTimer Timer1 { }\n"
        "}\n");
    EXPECT_EQ(form.className, "TForm2");
    EXPECT_EQ(form.name, "Form2");
    ASSERT_EQ(form.properties.size(), 3u);
    EXPECT_EQ(form.properties[0].items[0].text, "Install \"Idiom\"\r\n");
    EXPECT_EQ(form.properties[1].items[1].kind, Item::Kind::Number);
    EXPECT_EQ(form.properties[1].items[1].number, -57);
    EXPECT_EQ(form.properties[2].items[1].text, "biMinimize");
    EXPECT_EQ(form.properties[2].line, 5);
    ASSERT_EQ(form.children.size(), 2u);
    EXPECT_EQ(form.children[0].properties[0].items[0].text, "Portugu\xC3\xAAs");  // kept as UTF-8
    EXPECT_EQ(form.children[0].properties[1].items[0].kind, Item::Kind::Identifier);
    EXPECT_EQ(form.children[1].name, "Timer1");
    EXPECT_TRUE(form.children[1].properties.empty());
}

TEST(LayoutTextTest, MalformedTextIsRefusedWithItsLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "line 1: a name was expected"},
        {"TForm F", "line 1: '{' was expected after F"},
        {"TForm F {\n  A: 1\n", "line 3: '}' missing for F"},
        {"TForm F {\n  A: \"open\n}", "line 2: unterminated string"},
        {"TForm F {\n  A: \"\\q\"\n}", "line 2: unknown escape in a string"},
        {"TForm F {\n  A: 99999999999\n}", "line 2: number out of range"},
        {"TForm F {\n  A: 1 2\n}", "line 2: unexpected text after a value"},
        {"TForm F {\n  A: ,\n}", "line 2: a value was expected"},
        {"TForm F {\n  A: -x\n}", "line 2: a digit was expected"},
        {"TForm F { } extra", "line 1: text after the end of the form"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseLayout(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const LayoutError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Layout ") + message) << text;
        }
    }
}

TEST(LayoutTextTest, DeepNestingIsRefusedNotRecursedWithoutBound) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "T a {\n";
    EXPECT_THROW(ParseLayout(text), LayoutError);
}
