#include "loader/rewritescan.h"

#include "streams/stringlist.h"
#include "tests/loader/literalscan.h"
#include "tests/loader/passesfixture.h"

#include <gtest/gtest.h>

using namespace vantor;
using vantor::test::knownClasses;
using vantor::test::linesOf;
using vantor::test::missingList;
using vantor::test::taggedLines;

namespace {

using Lines = std::vector<std::string>;

struct ScanResult
{
    Lines text;
    Lines missing;
    std::vector<std::pair<std::string, int>> offsets;
};

ScanResult scan(const Lines &input, bool runtimeView = true, const TStringList &known = knownClasses())
{
    TStringList lines = taggedLines(input);
    TStringList missing = missingList();
    TStringList offsets;
    RewriteScanState state;
    RewriteScan(lines, runtimeView, known, {missing, offsets}, state);
    return {linesOf(lines), linesOf(missing), test::linesWithTags(offsets)};
}

} // namespace

TEST(RewriteScan, CleanupRulesDeleteAndRewriteLines)
{
    struct Case
    {
        const char *what;
        bool runtimeView;
        Lines input;
        Lines expected;
    };
    const Lines button = {"object F: TF", "  object B: TButton", "    Visible = False", "    Enabled = False",
                          "    ParentDoubleBuffered = False", "    ShowCaption = False", "    DrawingStyle = dsNormal",
                          "  end", "  OldCreateOrder = False", "end"};
    const Case cases[] = {
        {"run-time view keeps Visible = False", true, button,
         {"object F: TF", "  object B: TButton", "    Visible = False", "    Enabled = False", "  end", "end"}},
        {"design-time view deletes it", false, button,
         {"object F: TF", "  object B: TButton", "    Enabled = False", "  end", "end"}},
        {"an inline frame becomes an object", true,
         {"object F: TF", "  inline TitleBar: TFrame", "  end", "end"},
         {"object F: TF", "  object TitleBar: TFrame", "  end", "end"}},
        {"a string holding ' inline ' is no header", true,
         {"object F: TF", "  object B: TButton", "    Text = 'x inline y'", "  end", "end"},
         {"object F: TF", "  object B: TButton", "    Text = 'x inline y'", "  end", "end"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(scan(c.input, c.runtimeView).text, c.expected);
    }
}

TEST(RewriteScan, InheritedComponentsBecomeLabelsThatNameThem)
{
    struct Case
    {
        const char *what;
        Lines input;
        Lines expected;
    };
    const Case cases[] = {
        {"the block keeps only the three label lines",
         {"object F: TF", "  inherited Button1: TButton", "    Width = 80", "    object Inner: TFancy", "    end",
          "  end", "end"},
         {"object F: TF", "  object AAA_Button1: TLabel", "    Height = 30", "    Align = alTop",
          "    Text = 'Inherited Button1: TButton'", "  end", "end"}},
        {"an empty block gets lines indented like its end line",
         {"object F: TF", "  inherited Tab1: TTabItem [0]", "  end", "end"},
         {"object F: TF", "  object AAA_Tab1: TLabel", "  Height = 30", "  Align = alTop",
          "  Text = 'Inherited Tab1: TTabItem'", "  end", "end"}},
        {"a root that is inherited stays",
         {"inherited F: TF", "end"}, {"inherited F: TF", "end"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const ScanResult r = scan(c.input);
        EXPECT_EQ(r.text, c.expected);
        EXPECT_TRUE(r.missing.empty());
    }
}

TEST(RewriteScan, UnknownClassesBecomePlaceholdersAndAreRecorded)
{
    Lines input(40, "  Tag = 0");
    input[0] = "object F: TF";
    const Lines grid = {"    object Grid1: TFancyGrid [2]", "      Position.X = 8.000000000000000000",
                        "      Size.Width = 200.000000000000000000", "      Align = Client",
                        "      object Col1: TFancyColumn", "      end", "    end"};
    input.insert(input.end(), grid.begin(), grid.end()); // header on line 40
    input.push_back("  object Grid2: TFancyGrid");
    input.push_back("    Width = 5");
    input.push_back("    Position.Y = 2.0");
    input.push_back("    object Known: TButton");
    input.push_back("    end");
    input.push_back("  end");
    input.push_back("  object TWidget"); // line 53; line 54 once Grid2 is replaced, line 54 by the time it is reached
    input.push_back("  end");
    input.push_back("end");

    const ScanResult r = scan(input);
    Lines expected(input.begin(), input.begin() + 40);
    const Lines tail = {"    object Grid1: TLabel [2]", "      Position.X = 8.000000000000000000",
                        "      Align = Client", "      Text = '@TFancyGrid'", "      Tag = 40",
                        "      HitTest = True", "    end",
                        "  object Grid2: TLabel", "    Position.Y = 2.0", "    Width = 5", "    Text = '@TFancyGrid'",
                        "    Tag = 47", "    HitTest = True", "  end",
                        "  object Widget54: TLabel", "    Text = '@TWidget'", "    Tag = 53", "    HitTest = True",
                        "  end", "end"};
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(r.text, expected);
    EXPECT_EQ(r.missing, (Lines{"TFancyGrid", "TWidget"}));
    EXPECT_EQ(r.offsets, (std::vector<std::pair<std::string, int>>{{"TFancyGrid", 40}, {"TFancyGrid", 47},
                                                                   {"TWidget", 53}}));
}

TEST(RewriteScan, HeadersAreFoundOnlyAtLineStartAndReplacedWhereTheyStand)
{
    struct Case
    {
        const char *what;
        Lines input;
        Lines expected;
        Lines missing;
    };
    const Case cases[] = {
        {"string values holding header words stay",
         {"object F: TF", "  object B: TButton", "    Text = 'an object Button1: TButton'",
          "    Hint = ' inherited Foo: TFoo'", "    Lines.Strings = (", "      '  object Fake: TFake')", "  end", "end"},
         {"object F: TF", "  object B: TButton", "    Text = 'an object Button1: TButton'",
          "    Hint = ' inherited Foo: TFoo'", "    Lines.Strings = (", "      '  object Fake: TFake')", "  end", "end"},
         {}},
        {"the class is replaced after the colon, not inside the name",
         {"object F: TF", "  object Label1: Label", "  end", "end"},
         {"object F: TF", "  object Label1: TLabel", "    Text = '@Label'", "    Tag = 1", "    HitTest = True",
          "  end", "end"},
         {"Label"}},
        {"a header without class stays for the conversion to report",
         {"object F: TF", "  object Broken:", "  end", "  object Broken2: [1]", "  end", "  object  TDoubleBlank",
          "  end", "end"},
         {"object F: TF", "  object Broken:", "  end", "  object Broken2: [1]", "  end", "  object  TDoubleBlank",
          "  end", "end"},
         {}},
        {"components inside an action manager are never substituted",
         {"object F: TF", "  object AM: TActionManager", "    object A1: TCustomAction", "    end", "  end",
          "  object After: TFancy", "  end", "end"},
         {"object F: TF", "  object AM: TActionManager", "    object A1: TCustomAction", "    end", "  end",
          "  object After: TLabel", "    Text = '@TFancy'", "    Tag = 5", "    HitTest = True", "  end", "end"},
         {"TFancy"}},
        {"tabs instead of blanks: no header, nothing changes",
         {"object F: TF", "\tobject A: TFancy", "\tend", "end"}, {"object F: TF", "\tobject A: TFancy", "\tend", "end"},
         {}},
        {"missing end lines: the block runs to the next shallower line",
         {"object F: TF", "  object A: TFancy", "    Width = 3", "  object B: TButton", "end"},
         {"object F: TF", "  object A: TLabel", "    Width = 3", "    Text = '@TFancy'", "    Tag = 1",
          "    HitTest = True", "  object B: TButton", "end"},
         {"TFancy"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const ScanResult r = scan(c.input);
        EXPECT_EQ(r.text, c.expected);
        EXPECT_EQ(r.missing, c.missing);
    }
}

TEST(RewriteScan, EndsEvenWhenThePlaceholderClassItselfIsUnknown)
{
    // With no known classes at all, a literal scan would substitute "TLabel"
    // again and again; each header is substituted once.
    const TStringList none;
    const ScanResult r = scan({"object F: TF", "  object A: TFancy", "    Width = 1", "  end", "end"}, true, none);
    EXPECT_EQ(r.text, (Lines{"object F: TF", "  object A: TLabel", "    Width = 1", "    Text = '@TFancy'",
                             "    Tag = 1", "    HitTest = True", "  end", "end"}));
    EXPECT_EQ(r.offsets.size(), 1u);
}

TEST(RewriteScan, TheNextBlocksHeaderIsNeverAKeptPropertyLine)
{
    // A placeholder keeps its Width line; the header after it holds " Width "
    // but belongs to the next block. Kept, its copy was a new header to
    // substitute, which kept a copy of the same header again: the text grew
    // without end (found by fuzzing the load's text passes).
    const Lines input = {"object F: TF", "  object A: TFancy", "  object Width 2: TFancy", "  end", "  end", "end"};
    const ScanResult r = scan(input);
    EXPECT_EQ(r.text, (Lines{"object F: TF", "  object A: TLabel", "    Text = '@TFancy'", "    Tag = 1",
                             "    HitTest = True", "  object Width 2: TLabel", "    Text = '@TFancy'", "    Tag = 2",
                             "    HitTest = True", "  end", "  end", "end"}));
    EXPECT_EQ(r.offsets, (std::vector<std::pair<std::string, int>>{{"TFancy", 1}, {"TFancy", 2}}));
    for (const Lines &block : {Lines{"object F: TF", "  object TFancy", "  inherited Height 3: TButton", "  end", "end"},
                               Lines{"object F: TF", "  object TFancy", "  inline Align 4: TFrame1", "  end", "end"}}) {
        const ScanResult other = scan(block);
        EXPECT_EQ(other.offsets.size(), block[2].find("inline") != std::string::npos ? 2u : 1u) << block[2];
    }
}

TEST(CheckForUnknownComponents, KeepsExportedClassesAndLeftTopLines)
{
    TStringList exported;
    exported.add("TChartPlus");
    const Lines block = {"  object Chart1: TChartPlus", "    Left = 4", "    Top = 5", "    object Legend1: TLegendX",
                         "      Width = 7", "      Top = 9", "      Left = 8", "    end", "  end"};
    TStringList sl = taggedLines(block);
    TStringList missing = missingList();
    TStringList offsets;
    bool hasUnknown = true;
    CheckForUnknownComponents(sl, &exported, knownClasses(), {missing, offsets}, hasUnknown);
    EXPECT_TRUE(hasUnknown);
    EXPECT_EQ(linesOf(sl), (Lines{"  object Chart1: TChartPlus", "    Left = 4", "    Top = 5",
                                  "    object Legend1: TLabel", "      Top = 9", "      Left = 8", "      Width = 7",
                                  "      Text = '@TLegendX'", "      Tag = 3", "      HitTest = True", "    end",
                                  "  end"}));
    EXPECT_EQ(linesOf(missing), Lines{"TLegendX"});

    // Only exported (or known) classes: nothing changes, case does not matter.
    TStringList known = taggedLines({"  object Chart1: TCHARTPLUS", "    object B: TButton", "    end", "  end"});
    const Lines before = linesOf(known);
    CheckForUnknownComponents(known, &exported, knownClasses(), {missing, offsets}, hasUnknown);
    EXPECT_FALSE(hasUnknown);
    EXPECT_EQ(linesOf(known), before);
}
