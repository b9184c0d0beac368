#include "loader/cleanup.h"

#include "streams/stringlist.h"
#include "tests/loader/passesfixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vantor;
using vantor::test::linesOf;
using vantor::test::taggedLines;

namespace {

using Lines = std::vector<std::string>;

struct PassCase
{
    const char *what;
    std::function<void(TStringList &)> pass;
    Lines input;
    Lines expected;
};

void runCases(const std::vector<PassCase> &cases)
{
    for (const PassCase &c : cases) {
        SCOPED_TRACE(c.what);
        TStringList lines = taggedLines(c.input);
        c.pass(lines);
        EXPECT_EQ(linesOf(lines), c.expected);
        // Lines that stay keep their tags and their order; a rewritten line too.
        int previous = -1;
        for (const auto &item : lines.items()) {
            EXPECT_GT(item.tag, previous);
            previous = item.tag;
            if (item.text.find("Platform Default") == std::string::npos) {
                EXPECT_EQ(item.text, c.input[static_cast<std::size_t>(item.tag)]);
            }
        }
    }
}

} // namespace

TEST(RootHasCaption, LooksOnlyAtTheRootsOwnLines)
{
    struct Case
    {
        Lines lines;
        bool expected;
    };
    const Case cases[] = {
        {{"object F: TF", "  Caption = 'x'", "end"}, true},
        {{"object F: TF", "  object B: TButton", "    Caption = 'x'", "  end", "end"}, false},
        {{"object F: TF", "  Width = 1", "  object B: TButton", "  end", "  Caption = 'late'", "end"}, false},
        {{"object F: TF", "  Text = 'Caption'", "end"}, false},
        {{}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RootHasCaption(taggedLines(c.lines)), c.expected);
}

TEST(CleanupPasses, RemoveTheirLinesWhereTheyShould)
{
    const Lines form = {"object F: TF", "  Visible = True", "  FormStyle = fsMDIChild", "  FormStyle = fsMDIChild",
                        "  object B: TButton", "    Visible = True", "    FormStyle = fsMDIChild",
                        "    Enabled = False", "  end", "  Enabled = False", "end"};
    runCases({
        {"Enabled = False goes everywhere", RemoveEnabledFalse, form,
         {"object F: TF", "  Visible = True", "  FormStyle = fsMDIChild", "  FormStyle = fsMDIChild",
          "  object B: TButton", "    Visible = True", "    FormStyle = fsMDIChild", "  end", "end"}},
        {"only the root's first Visible = True goes", RemoveRootVisibleTrue, form,
         {"object F: TF", "  FormStyle = fsMDIChild", "  FormStyle = fsMDIChild", "  object B: TButton",
          "    Visible = True", "    FormStyle = fsMDIChild", "    Enabled = False", "  end", "  Enabled = False",
          "end"}},
        {"a child's Visible = True stays", RemoveRootVisibleTrue,
         {"object F: TF", "  object B: TButton", "    Visible = True", "  end", "end"},
         {"object F: TF", "  object B: TButton", "    Visible = True", "  end", "end"}},
        {"only the root's first MDI child style goes", RemoveMdiChildStyle, form,
         {"object F: TF", "  Visible = True", "  FormStyle = fsMDIChild", "  object B: TButton", "    Visible = True",
          "    FormStyle = fsMDIChild", "    Enabled = False", "  end", "  Enabled = False", "end"}},
        {"the first action manager's style becomes Platform Default", ResetActionManagerStyle,
         {"object F: TF", "  object AM: TActionManager", "    StyleName = 'XP Style'", "  end",
          "  object AM2: TActionManager", "    StyleName = 'Ribbon'", "  end", "end"},
         {"object F: TF", "  object AM: TActionManager", "    StyleName = 'Platform Default'", "  end",
          "  object AM2: TActionManager", "    StyleName = 'Ribbon'", "  end", "end"}},
        {"no action manager: nothing changes", ResetActionManagerStyle,
         {"object F: TF", "  StyleName = 'x'", "end"}, {"object F: TF", "  StyleName = 'x'", "end"}},
    });
}

TEST(FilterRootProperties, KeepsListedRootPropertiesAndEveryChild)
{
    const auto formRoot = [](TStringList &l) { FilterRootProperties(l); };
    const auto frameRoot = [](TStringList &l) { FilterRootProperties(l, true); };
    runCases({
        {"listed keys stay (also as substrings), others go; multi-line values follow their key",
         formRoot,
         {"object F: TF", "  Left = 0", "  BorderStyle = bsDialog", "  Font.Name = 'Arial'", "  Icon.Data = {",
          "    0000", "    0101}", "  Hint = ", "    'long' +", "    'text'", "  Text = 'x'", "  Color = clRed",
          "  ActiveControl = B", "  FormFactor.Width = 320", "  VertScrollBar.Range = 2", "  Position = poDesigned",
          "  Tag = 5", "  object B: TButton", "    Tag = 5", "  end", "end"},
         {"object F: TF", "  Left = 0", "  Font.Name = 'Arial'", "  Icon.Data = {", "    0000", "    0101}",
          "  Text = 'x'", "  Color = clRed", "  ActiveControl = B", "  Position = poDesigned", "  object B: TButton",
          "    Tag = 5", "  end", "end"}},
        {"a root without an object child keeps its inherited and inline children and its end", formRoot,
         {"inherited F: TF", "  Tag = 1", "  inherited A: TButton", "    Tag = 2", "  end", "  inline T: TFrame2",
          "    Tag = 3", "  end", "end"},
         {"inherited F: TF", "  inherited A: TButton", "    Tag = 2", "  end", "  inline T: TFrame2", "    Tag = 3",
          "  end", "end"}},
        {"a root without children keeps its end line", formRoot,
         {"object F: TF", "  BorderStyle = bsNone", "end"}, {"object F: TF", "end"}},
        {"a removed collection goes whole, its item ends included", formRoot,
         {"object F: TF", "  Items = <", "    item", "      Text = 'a'", "    end>", "  Width = 3", "end"},
         {"object F: TF", "  Width = 3", "end"}},
        {"empty text", formRoot, {}, {}},
        {"a form root loses its Size lines, a frame root keeps them (its only size in newer files)", formRoot,
         {"object F: TF", "  Size.Width = 300.0", "  Size.Height = 200.0", "  Size.PlatformDefault = False", "end"},
         {"object F: TF", "end"}},
        {"a frame root keeps its Size lines", frameRoot,
         {"object F: TF", "  Size.Width = 300.0", "  Size.Height = 200.0", "  Size.PlatformDefault = False",
          "  Tag = 1", "end"},
         {"object F: TF", "  Size.Width = 300.0", "  Size.Height = 200.0", "  Size.PlatformDefault = False", "end"}},
    });
}
