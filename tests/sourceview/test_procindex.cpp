#include "sourceview/procindex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <stdlib.h>

namespace vantor {
namespace {

using Entries = std::vector<std::pair<int, std::string>>; // tag, text

Entries indexOf(std::initializer_list<std::string_view> lines)
{
    TStringList source(lines);
    TStringList index;
    FillProcIndex(source, index);
    Entries out;
    for (const auto &item : index.items())
        out.emplace_back(item.tag, item.text);
    return out;
}

TEST(ProcIndexTest, TakesHeadsAsTheyStand)
{
    struct Case
    {
        const char *line;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"procedure TForm1.Button1Click(Sender: TObject);", {"procedure TForm1.Button1Click"}},
        {"procedure Refresh;", {"procedure Refresh;"}},
        {"function Max(A, B: Integer): Integer;", {"function Max"}},
        {"  \tPROCEDURE Upper (X: Integer);  ", {"PROCEDURE Upper "}}, // case kept, trailing blank before "(" stays
        {"ProcedureCount := 0;", {"ProcedureCount := 0;"}}, // the keyword inside a word
        {"{procedure X}", {"{procedure X}"}},
        {"class procedure TForm1.Reset;", {}}, // a blank stands before the keyword
        {"// procedure Old;", {}},
        {"constructor TForm1.Create(AOwner: TComponent);", {}},
        {"x := 1; procedure", {}},
        {"functionprocedure", {"functionprocedure", "functionprocedure"}}, // once for each keyword
        {"", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        Entries got = indexOf({"unit U;", "implementation", c.line});
        std::vector<std::string> texts;
        for (const auto &[tag, text] : got) {
            EXPECT_EQ(tag, 2);
            texts.push_back(text);
        }
        EXPECT_EQ(texts, c.entries);
    }
}

TEST(ProcIndexTest, OnlyLinesAfterTheFirstImplementationLine)
{
    const Entries got = indexOf({
        "unit Unit1;",                                  // 0
        "interface",                                    // 1
        "procedure Helper;",                            // 2 interface: not taken
        "implementation procedure OnTheLine;",          // 3 the implementation line itself: not taken
        "procedure After;",                             // 4
        "{ IMPLEMENTATION again }",                     // 5
        "function Later: Integer;",                     // 6
    });
    EXPECT_EQ(got, (Entries{{6, "function Later: Integer;"}, {4, "procedure After;"}}));
    EXPECT_TRUE(indexOf({"procedure NoImplementation;"}).empty());
}

TEST(ProcIndexTest, SortsWithoutCaseAndPutsEqualEntriesInDescendingLineOrder)
{
    std::vector<std::string_view> lines(80, "");
    lines[0] = "implementation";
    lines[40] = "procedure TForm1.FormCreate(Sender: TObject);";
    lines[50] = "procedure TList1.Add(A: Integer);";
    lines[70] = "procedure TList1.Add(const S: string);";
    lines[60] = "PROCEDURE TLIST1.ADD(X: Byte);";
    lines[10] = "function Zeta: Integer;";
    lines[20] = "procedure alpha;";
    TStringList source;
    for (std::string_view l : lines)
        source.add(std::string(l));
    TStringList index;
    index.add("stale entry");
    FillProcIndex(source, index);
    Entries got;
    for (const auto &item : index.items())
        got.emplace_back(item.tag, item.text);
    EXPECT_EQ(got, (Entries{{10, "function Zeta: Integer;"},
                            {20, "procedure alpha;"},
                            {40, "procedure TForm1.FormCreate"},
                            {70, "procedure TList1.Add"},
                            {60, "PROCEDURE TLIST1.ADD"},
                            {50, "procedure TList1.Add"}}));
    EXPECT_TRUE(index.sorted());
    EXPECT_EQ(index.duplicates(), TDuplicates::Accept);
}

TEST(ProcIndexTest, FilterIgnoresTheCaseOfAsciiLettersAndKeepsOrderAndTags)
{
    TStringList index;
    index.add("function TForm1.Button1ClickCount", 7);
    index.add("procedure TForm1.Button1Click", 12);
    index.add("procedure TForm1.FormCreate", 20);
    index.add("procedure TForm1.ÄnderungClick", 30);
    struct Case
    {
        const char *filter;
        Entries entries;
    };
    const Case cases[] = {
        {"CLICK", {{7, "function TForm1.Button1ClickCount"}, {12, "procedure TForm1.Button1Click"},
                   {30, "procedure TForm1.ÄnderungClick"}}},
        {"formcreate", {{20, "procedure TForm1.FormCreate"}}},
        {"änderung", {}}, // only A-Z ignore their case
        {"Änderung", {{30, "procedure TForm1.ÄnderungClick"}}},
        {"", {{7, "function TForm1.Button1ClickCount"}, {12, "procedure TForm1.Button1Click"},
              {20, "procedure TForm1.FormCreate"}, {30, "procedure TForm1.ÄnderungClick"}}},
        {"nothing", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.filter);
        Entries got;
        const TStringList filtered = FilterProcIndex(index, c.filter);
        for (const auto &item : filtered.items())
            got.emplace_back(item.tag, item.text);
        EXPECT_EQ(got, c.entries);
    }
}

TEST(ProcIndexTest, FindsTheHandlerOfAnEventLine)
{
    struct Case
    {
        const char *eventLine;
        std::string handler;
    };
    const Case names[] = {
        {"OnClick = Button1Click", "Button1Click"},
        {"OnClick=  Button1Click  ", "Button1Click"},
        {"Button1Click", "Button1Click"}, // no "=": the whole text
        {"OnClick = a = b", "a = b"},     // after the first "="
        {"OnClick =", ""},
    };
    for (const Case &c : names)
        EXPECT_EQ(HandlerNameOfEventLine(c.eventLine), c.handler) << c.eventLine;
    EXPECT_EQ(HandlerNameOfEventLine("=" + std::string(1300, 'x')).size(), 1255u);

    TStringList index;
    index.add("function TForm1.Button1ClickCount: Integer;", 5);
    index.add("procedure TForm1.Button1Click", 9);
    index.add("procedure Refresh;", 14);
    index.add("procedure TForm1.OtherButton1ClickHandler", 18);
    index.add("procedure TForm1.formcreate", 22);
    struct Find
    {
        const char *handler;
        int entry;
    };
    const Find finds[] = {
        {"Button1Click", 1}, // the whole name, not the function it begins
        {"Refresh", 2},      // a head without parameters keeps its ";"
        {"ClickHandler", 3}, // no whole name: the first entry that holds it
        {"FormCreate", 4},   // Pascal names ignore case, as a last resort
        {"Missing", -1},
        {"", -1},
    };
    for (const Find &f : finds)
        EXPECT_EQ(FindHandlerEntry(index, f.handler), f.entry) << f.handler;
}

TEST(ProcIndexTest, LoadsSourceByMarkOrWindows1252AndExpandsTabs)
{
    const std::string dir = std::filesystem::temp_directory_path() / "vantor-procs-XXXXXX";
    std::string pattern = dir;
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    struct Case
    {
        const char *name;
        std::string bytes;
    };
    // "procedure\tGrüße;" after the implementation line, in three encodings.
    const Case cases[] = {
        {"ansi.pas", std::string("implementation\r\nprocedure\tGr\xFC\xDF" "e;\r\n")},
        {"utf8.pas", std::string("\xEF\xBB\xBFimplementation\nprocedure\tGr\xC3\xBC\xC3\x9F" "e;\n")},
        {"utf16.pas", std::string("\xFF\xFEi\0m\0p\0l\0e\0m\0e\0n\0t\0a\0t\0i\0o\0n\0\n\0p\0r\0o\0c\0e\0d\0u\0r\0e\0\t\0G\0r\0"
                                  "\xFC\0\xDF\0" "e\0;\0",
                                  2 + 2 * 31)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = pattern + "/" + c.name;
        std::ofstream(file, std::ios::binary) << c.bytes;
        TStringList lines;
        LoadSourceFile(file, lines);
        ASSERT_EQ(lines.count(), 2);
        EXPECT_EQ(lines[1], "procedure    Gr\xC3\xBC\xC3\x9F" "e;");
    }
    TStringList lines;
    EXPECT_THROW(LoadSourceFile(pattern + "/missing.pas", lines), EFOpenError);
    std::filesystem::remove_all(pattern);
}

} // namespace
} // namespace vantor
