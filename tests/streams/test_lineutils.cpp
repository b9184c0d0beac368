#include "streams/lineutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor;

namespace {

TEST(LineUtils, GetIndent)
{
    const struct
    {
        const char *line;
        int indent;
    } cases[] = {
        {"", 0},
        {"    ", 4},
        {"\t  Width = 1", 0},
        {"  \tWidth = 1", 2},
        {"object Form1: TForm", 0},
        {"    Width = 1", 4},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetIndent(c.line), c.indent) << '"' << c.line << '"';
}

// The anchored search finds what std::string_view::find finds, for every
// start: literals of blanks only, with blanks around their anchor, matches at
// either end, overlapping and repeated anchors, literals longer than the text.
TEST(LineUtils, FindTextAgreesWithFind)
{
    const char *texts[] = {
        "", " ", "        Width = 1", "    OnClick = Button1Click", "  object Button1: TButton",
        "OnOnOn = On", "x = = =  =", "      Text = 'Turn On = yes'", "   end", "a  b   c    ",
    };
    const char *literals[] = {
        "", " ", "  ", " On", " = ", " object ", "On", " end", "=", "Width = 1 and more", "n = ", " =  =",
        "c    ", "O", "        Width = 1",
    };
    for (std::string_view text : texts)
        for (std::string_view literal : literals)
            for (std::size_t from = 0; from <= text.size() + 1; ++from)
                EXPECT_EQ(findText(text, literal, from), text.find(literal, from))
                    << '"' << text << "\" / \"" << literal << "\" from " << from;
}

TEST(LineUtils, FindPropertyLineStaysInsideTheBlock)
{
    const TStringList ownWidthFirst{
        "object Form1: TForm",
        "  Width = 640",
        "  object Panel1: TPanel",
        "    Width = 100",
        "  end",
        "end",
    };
    const TStringList childFirst{
        "object Form1: TForm",
        "  Caption = 'x'",
        "  object TListBoxItem", // an unnamed child header stops the search too
        "    Width = 100",
        "  end",
        "end",
    };
    const TStringList valueWithEnd{
        "object Form1: TForm",
        "  Caption = 'the end'",
        "  Width = 640",
        "end",
    };
    const struct
    {
        const char *name;
        const TStringList &lines;
        const char *key;
        int start;
        const char *expected;
    } cases[] = {
        {"own width before the child", ownWidthFirst, " Width ", 1, "  Width = 640"},
        {"child's own block", ownWidthFirst, " Width ", 3, "    Width = 100"},
        {"child header comes first", childFirst, " Width ", 1, ""},
        {"value containing ' end' stops", valueWithEnd, " Width ", 1, ""},
        {"key tested before ' end'", valueWithEnd, " Caption ", 1, "  Caption = 'the end'"},
        {"key with ' = '", valueWithEnd, "Caption = ", 0, "  Caption = 'the end'"},
        {"case-sensitive", ownWidthFirst, " width ", 1, ""},
        {"empty key matches nothing", ownWidthFirst, "", 1, ""},
        {"closing line stops", ownWidthFirst, " Height ", 3, ""},
        {"start at the count", ownWidthFirst, " Width ", 6, ""},
        {"start beyond the count", ownWidthFirst, " Width ", 99, ""},
        {"negative start", ownWidthFirst, " Width ", -1, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindPropertyLine(c.lines, c.key, c.start), c.expected) << c.name;
    EXPECT_EQ(FindPropertyLine(TStringList(), " Width ", 0), "");
}

TEST(LineUtils, PosFrom)
{
    const char *path = "C:\\forms\\main.form.fmx"; // dots at 14 and 19
    const struct
    {
        int from;
        const char *text;
        const char *sub;
        int expected;
    } cases[] = {
        {1, path, ".", 14},
        {15, path, ".", 19},
        {20, path, ".", 0},
        {14, path, ".", 14}, // an occurrence starting at from counts
        {22, path, "x", 22}, // the last character
        {23, path, "x", 0},  // beyond the end
        {1, "abc", "", 0},
        {1, "", "a", 0},
        {0, "abc", "a", 1}, // below 1 counts as 1
        {2, "aaa", "aa", 2},
        {1, "ab", "abc", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PosFrom(c.from, c.text, c.sub), c.expected) << c.from << " '" << c.text << "' '" << c.sub << "'";
}

TEST(LineUtils, ExtractToken)
{
    const struct
    {
        char delimiter;
        const char *text;
        int n;
        const char *expected;
    } cases[] = {
        {' ', "object TListBoxItem", 2, "TListBoxItem"}, // class of an unnamed header
        {' ', "object Button1: TButton", 2, "Button1:"},
        {' ', "object Button1: TButton", 3, "TButton"},
        {' ', "object Button1: TButton", 4, ""},
        {' ', "object ", 1, "object"},
        {' ', "object ", 2, ""}, // a trailing delimiter adds no field
        {' ', " object", 1, ""}, // a leading delimiter makes field 1 empty
        {' ', " object", 2, "object"},
        {' ', "a  b", 2, ""}, // adjacent delimiters delimit an empty field
        {' ', "a  b", 3, "b"},
        {' ', "TButton", 1, "TButton"},
        {' ', "TButton", 2, ""},
        {' ', "", 1, ""},
        {' ', "a b", 0, ""},
        {' ', "a b", -1, ""},
        {':', "Button1:OnClick = x", 1, "Button1"},
        {':', "Button1:OnClick = x", 2, "OnClick = x"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExtractToken(c.delimiter, c.text, c.n), c.expected)
            << "'" << c.text << "' field " << c.n;
}

TEST(LineUtils, StripEventLinesKeepsOtherLinesWithTheirTags)
{
    TStringList lines{
        "object Form1: TForm",
        "  OnCreate = FormCreate",
        "  Caption = 'Click On me'", // " On" only after the " = "
        "  object Action1: TAction",
        "    BeforeExecute = Action1Before",
        "    OnExecute = Action1Execute",
        "    Hint = 'x = On'",
        "  end",
        "  OnClose=FormClose", // no " = ": kept
        "  Online = True", // " On" before " = ": an event line by the rule
        "end",
    };
    for (int i = 0; i < lines.count(); ++i)
        lines.setTag(i, i);
    StripEventLines(lines);
    EXPECT_EQ(lines.toVector(), (std::vector<std::string>{
                                    "object Form1: TForm",
                                    "  Caption = 'Click On me'",
                                    "  object Action1: TAction",
                                    "    Hint = 'x = On'",
                                    "  end",
                                    "  OnClose=FormClose",
                                    "end",
                                }));
    const std::vector<int> tags = {0, 2, 3, 6, 7, 8, 10};
    for (int i = 0; i < lines.count(); ++i)
        EXPECT_EQ(lines.tag(i), tags[i]);
}

} // namespace
