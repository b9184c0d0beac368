#include "loader/variantmerge.h"

#include "streams/stringlist.h"
#include "tests/loader/literalscan.h"
#include "tests/loader/passesfixture.h"

#include <gtest/gtest.h>

#include <set>

using namespace vantor;
using vantor::test::linesOf;

namespace {

using Lines = std::vector<std::string>;

TStringList listOf(const Lines &lines)
{
    TStringList l;
    for (const auto &line : lines)
        l.add(line);
    return l;
}

} // namespace

TEST(PlatformFileName, FindsMasterAndPlatformFromTheFileNameOnly)
{
    struct Case
    {
        std::string path;
        std::string master; // empty: no variant, the path loads as itself
        std::string platform;
    };
    const std::set<std::string> existing = {
        "D:\\Forms\\Main.fmx", "/p/Main.fmx", "/p/My.Form.fmx", "/p/Forms.Main.fmx", "/p/LUX.FMX.Plot.fmx",
        "/home/u/RADStudio10.4Demos/FMXClient/Main.fmx", "/home/u/.cache/X/Main.fmx",
    };
    const Case cases[] = {
        {"D:\\Forms\\Main.LgXhdpiPh.fmx", "D:\\Forms\\Main.fmx", "Android"},
        {"D:\\Forms\\Main.Macintosh.fmx", "D:\\Forms\\Main.fmx", "Mac"},
        {"D:\\Forms\\Main.fmx", "", "Windows"},
        {"/p/Main.Windows.fmx", "/p/Main.fmx", "Windows"},
        {"/p/Main.iPad.fmx", "/p/Main.fmx", "iPad"},
        {"/p/Main.iPhone.fmx", "/p/Main.fmx", "iPhone"},
        {"/p/Main.XLgXhdpiTb.fmx", "/p/Main.fmx", "Android"},
        // The whole dotted part that holds the literal goes.
        {"/p/Main.iPhone4in.fmx", "/p/Main.fmx", "iPhone"},
        {"/p/Main.iPhone47in.fmx", "/p/Main.fmx", "iPhone"},
        {"/p/My.Form.iPhone55in.fmx", "/p/My.Form.fmx", "iPhone"},
        // Dots in folders do not count.
        {"D:\\Old.Forms\\Main.fmx", "", "Windows"},
        {"/home/u/RADStudio10.4Demos/FMXClient/Main.fmx", "", "Windows"},
        {"/home/u/.cache/X/Main.fmx", "", "Windows"},
        // A dotted unit name whose would-be master does not exist is no variant.
        {"/p/LUX.FMX.ScatterPlotFrame.fmx", "", "Windows"},
        {"/q/Main.LgXhdpiPh.fmx", "", "Windows"},
        // A dotted unit name has its platform in the last dotted part.
        {"/p/Forms.Main.LgXhdpiPh.fmx", "/p/Forms.Main.fmx", "Android"},
        {"/p/LUX.FMX.Plot.LgXhdpiPh.fmx", "/p/LUX.FMX.Plot.fmx", "Android"},
    };
    const auto exists = [&existing](const std::string &path) { return existing.count(path) > 0; };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const PlatformFileNames names = AnalysePlatformFileName(c.path, exists);
        EXPECT_EQ(names.platform, c.platform);
        if (c.master.empty()) {
            EXPECT_EQ(names.masterFileName, c.path);
            EXPECT_EQ(names.variantFileName, "");
        } else {
            EXPECT_EQ(names.masterFileName, c.master);
            EXPECT_EQ(names.variantFileName, c.path);
        }
    }
}

TEST(MergeVariantBlock, MergesPropertiesValuesAndChildren)
{
    struct Case
    {
        const char *what;
        Lines master;
        std::string header;
        Lines collected;
        Lines expected;
    };
    const Lines button = {"object F: TF", "  object Button1: TButton", "    Position.X = 24.000000000000000000",
                          "    Text = 'Start'", "  end", "end"};
    const Case cases[] = {
        {"a known property changes in place, a new one goes after the header", button,
         "  object Button1: TButton", {"    Position.X = 8.000000000000000000", "    TabOrder = 2"},
         {"object F: TF", "  object Button1: TButton", "    TabOrder = 2", "    Position.X = 8.000000000000000000",
          "    Text = 'Start'", "  end", "end"}},
        {"no master object: nothing merged", button, "  object Button2: TButton", {"    TabOrder = 2"}, button},
        {"the value is replaced after the '=', not inside the name",
         {"object F: TF", "  object B: TButton", "    A1 = 1", "  end", "end"}, "  object B: TButton",
         {"    A1 = 2"}, {"object F: TF", "  object B: TButton", "    A1 = 2", "  end", "end"}},
        {"a value holding '=' is replaced whole",
         {"object F: TF", "  object B: TButton", "    Text = 'x=y'", "  end", "end"}, "  object B: TButton",
         {"    Text = 'a=b'"}, {"object F: TF", "  object B: TButton", "    Text = 'a=b'", "  end", "end"}},
        {"a key the object lacks is found in its child",
         {"object F: TF", "  object P: TPanel", "    object B: TButton", "      Text = 'x'", "    end", "  end",
          "end"},
         "  object P: TPanel", {"    Text = 'y'"},
         {"object F: TF", "  object P: TPanel", "    object B: TButton", "      Text = 'y'", "    end", "  end",
          "end"}},
        {"the master header may stand deeper",
         {"object F: TF", "  object L: TLayout", "    object B: TButton", "      Text = 'x'", "    end", "  end",
          "end"},
         "  object B: TButton", {"    Text = 'y'"},
         {"object F: TF", "  object L: TLayout", "    object B: TButton", "      Text = 'y'", "    end", "  end",
          "end"}},
        {"a multi-line value replaces the master's multi-line value whole",
         {"object F: TF", "  object M: TMemo", "    Lines.Strings = (", "      'a'", "      'b'", "      'c')",
          "    Text = 'x'", "  end", "end"},
         "  object M: TMemo", {"    Lines.Strings = (", "      'one'", "      'two')"},
         {"object F: TF", "  object M: TMemo", "    Lines.Strings = (", "      'one'", "      'two')",
          "    Text = 'x'", "  end", "end"}},
        {"a one-line value replaces a master value over several lines",
         {"object F: TF", "  object M: TMemo", "    Hint =", "      'long piece one' +", "      'two'", "  end",
          "end"},
         "  object M: TMemo", {"    Hint = 'short'"},
         {"object F: TF", "  object M: TMemo", "    Hint = 'short'", "  end", "end"}},
        {"a multi-line value the master lacks is added whole, re-indented",
         {"object F: TF", "  object M: TMemo", "  end", "end"}, "  object M: TMemo",
         {"      Data = {", "        0A0B}"},
         {"object F: TF", "  object M: TMemo", "    Data = {", "      0A0B}", "  end", "end"}},
        {"a MultiResBitmap collection replaces the master's whole collection",
         {"object F: TF", "  object I: TImage", "    MultiResBitmap = <", "      item", "        PNG = {01}",
          "      end>", "    Width = 5", "  end", "end"},
         "  object I: TImage", {"    MultiResBitmap = <", "      item", "        PNG = {0202}", "      end", "      item",
                                "        Scale = 2.000000000000000000", "      end>"},
         {"object F: TF", "  object I: TImage", "    MultiResBitmap = <", "      item", "        PNG = {0202}",
          "      end", "      item", "        Scale = 2.000000000000000000", "      end>", "    Width = 5", "  end",
          "end"}},
        {"a child object replaces the master's child of that name",
         {"object F: TF", "  object P: TPanel", "    object B: TButton", "      Text = 'old'", "      object X: TLabel",
          "      end", "    end", "    object C: TButton", "    end", "  end", "end"},
         "  object P: TPanel", {"    object B: TButton", "      Text = 'new'", "    end"},
         {"object F: TF", "  object P: TPanel", "    object B: TButton", "      Text = 'new'", "    end",
          "    object C: TButton", "    end", "  end", "end"}},
        {"a new child object becomes the last child",
         {"object F: TF", "  object P: TPanel", "    Width = 5", "    object C: TButton", "    end", "  end", "end"},
         "  object P: TPanel", {"    Width = 6", "    object N: TEdit", "      Text = 'n'", "    end"},
         {"object F: TF", "  object P: TPanel", "    Width = 6", "    object C: TButton", "    end",
          "    object N: TEdit", "      Text = 'n'", "    end", "  end", "end"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TStringList working = listOf(c.master);
        MergeVariantBlock(working, c.collected, c.header);
        EXPECT_EQ(linesOf(working), c.expected);
        // Merging the same block again changes nothing.
        MergeVariantBlock(working, c.collected, c.header);
        EXPECT_EQ(linesOf(working), c.expected);
    }
}

TEST(MergePlatformVariant, MergesNestedBlocksInnermostFirstAndNeverTheRoot)
{
    TStringList working = listOf({
        "object F: TF", "  ClientHeight = 400",
        "  object A: TLayout", "    Width = 1",
        "    object B: TLayout", "      Width = 2",
        "      object C: TButton", "        Width = 3", "      end",
        "    end",
        "  end",
        "  object M: TMemo", "    Lines.Strings = (", "      'a')", "  end",
        "end",
    });
    TStringList variant = listOf({
        "inherited F: TF", "  ClientHeight = 900",
        // A multi-line value in a block before a nested one: a literal merge
        // merges this block again on every later pass.
        "  inherited M: TMemo", "    Lines.Strings = (", "      'x'", "      'y')", "  end",
        "  inherited A: TLayout",
        "    inherited B: TLayout",
        "      inherited C: TButton", "        Width = 30", "      end",
        "      Width = 20",
        "    end",
        "    Width = 10",
        "  end",
        "end",
    });
    const Lines expected = {
        "object F: TF", "  ClientHeight = 400",
        "  object A: TLayout", "    Width = 10",
        "    object B: TLayout", "      Width = 20",
        "      object C: TButton", "        Width = 30", "      end",
        "    end",
        "  end",
        "  object M: TMemo", "    Lines.Strings = (", "      'x'", "      'y')", "  end",
        "end",
    };
    TStringList literal = working;
    TStringList literalVariant = variant;
    MergePlatformVariant(working, variant);
    EXPECT_EQ(linesOf(working), expected);
    EXPECT_EQ(variant.count(), 0);
    test::literalMergePlatformVariant(literal, literalVariant);
    EXPECT_EQ(linesOf(literal), expected);
}

TEST(MergePlatformVariant, MalformedVariantsEndAndMergeOnlyClosedBlocks)
{
    const Lines master = {"object F: TF", "  object A: TButton", "    Width = 1", "  end",
                          "  object B: TButton", "    Width = 2", "  end", "end"};
    struct Case
    {
        const char *what;
        Lines variant;
        Lines expected;
    };
    const Case cases[] = {
        {"no inherited blocks", {"inherited F: TF", "  ClientHeight = 1", "end"}, master},
        {"a block that never closes is not merged",
         {"inherited F: TF", "  inherited A: TButton", "    Width = 5", "  end", "  inherited B: TButton",
          "    Width = 6"},
         {"object F: TF", "  object A: TButton", "    Width = 5", "  end", "  object B: TButton", "    Width = 2",
          "  end", "end"}},
        {"tabs instead of blanks open no block", {"inherited F: TF", "\tinherited A: TButton", "\t\tWidth = 5",
                                                  "\tend", "end"},
         master},
        {"empty variant", {}, master},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TStringList working = listOf(master);
        TStringList variant = listOf(c.variant);
        MergePlatformVariant(working, variant);
        EXPECT_EQ(linesOf(working), c.expected);
    }
}

TEST(ReadMasterAndVariant, ReadsTheMasterAloneOrMergesTheVariant)
{
    const std::string master = test::fixturePath("passes_variant_master.fmx");
    const std::string variantPath = test::fixturePath("passes_variant_master.iPhone47in.fmx");
    const PlatformFileNames names = AnalysePlatformFileName(variantPath);
    ASSERT_EQ(names.masterFileName, master);
    ASSERT_EQ(names.platform, "iPhone");

    std::vector<std::string> read;
    const FormFileReader reader = [&read](const std::string &file, TStringList &lines) {
        read.push_back(file);
        lines.loadFromFile(file);
    };
    TStringList working;
    TStringList variant;
    ReadMasterAndVariant(names, working, variant, reader);
    EXPECT_EQ(read, (std::vector<std::string>{master, variantPath}));

    TStringList expected;
    expected.loadFromFile(test::fixturePath("passes_variant_merged.txt"));
    EXPECT_EQ(linesOf(working), linesOf(expected));

    read.clear();
    ReadMasterAndVariant(AnalysePlatformFileName(master), working, variant, reader);
    EXPECT_EQ(read, std::vector<std::string>{master});
}
