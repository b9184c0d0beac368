#include "streams/memorystream.h"
#include "streams/stringlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace vantor;

namespace {

using Lines = std::vector<std::string>;

std::vector<std::uint8_t> bytesOf(std::string_view s)
{
    return {s.begin(), s.end()};
}

std::string stringOf(const std::vector<std::uint8_t> &b)
{
    return {b.begin(), b.end()};
}

TEST(StringList, TagsFollowTheirLine)
{
    TStringList list;
    list.add("a", 5);
    list.add("b");
    list.insert(0, "first");
    list.setTag(2, 7);
    list.set(1, "A2"); // replacing the text keeps the tag
    EXPECT_EQ(list.toVector(), (Lines{"first", "A2", "b"}));
    EXPECT_EQ(list.tag(0), 0);
    EXPECT_EQ(list.tag(1), 5);
    EXPECT_EQ(list.tag(2), 7);

    list.remove(0);
    EXPECT_EQ(list.toVector(), (Lines{"A2", "b"}));
    EXPECT_EQ(list.tag(0), 5);
    EXPECT_EQ(list.tag(1), 7);

    list.insert(2, "appended"); // count() is a valid insert position
    EXPECT_EQ(list[2], "appended");
    EXPECT_EQ(list.tag(2), 0);
}

TEST(StringList, IndexOutOfRangeRaisesAndChangesNothing)
{
    TStringList list{"x"};
    EXPECT_THROW(list.get(1), EStringListError);
    EXPECT_THROW(list.get(-1), EStringListError);
    EXPECT_THROW(list.set(1, "y"), EStringListError);
    EXPECT_THROW(list.remove(1), EStringListError);
    EXPECT_THROW(list.insert(2, "y"), EStringListError);
    EXPECT_THROW(list.setTag(-1, 1), EStringListError);
    try {
        list.tag(3);
        FAIL() << "no exception";
    } catch (const EStringListError &e) {
        EXPECT_EQ(e.message(), "Listenindex außerhalb des gültigen Bereichs (3)");
    }
    EXPECT_EQ(list.toVector(), (Lines{"x"}));
}

TEST(StringList, IndexOfIgnoresLetterCase)
{
    TStringList list{"TButton", "Gr\xC3\xBC\xC3\x9F" "e", "\xC3\x84rger", "\xD0\x9C\xD0\xB8\xD1\x80", "tbutton"};
    EXPECT_EQ(list.indexOf("tBUTTON"), 0);                 // the first of two equal lines
    EXPECT_EQ(list.indexOf("GR\xC3\x9C\xC3\x9F" "E"), 1);  // Latin-1 letters fold
    EXPECT_EQ(list.indexOf("\xC3\xA4RGER"), 2);
    EXPECT_EQ(list.indexOf("\xD0\xBC\xD0\x98\xD0\xA0"), 3); // Cyrillic
    EXPECT_EQ(list.indexOf("TButton1"), -1);
    EXPECT_EQ(list.indexOf(""), -1);

    list.setCaseSensitive(true);
    EXPECT_EQ(list.indexOf("tbutton"), 4);
    EXPECT_EQ(list.indexOf("TBUTTON"), -1);
}

TEST(StringList, SortedAddFollowsTheDuplicatesPolicy)
{
    struct Case
    {
        TDuplicates policy;
        Lines expected;
        std::vector<int> tags;
    };
    const Case cases[] = {
        {TDuplicates::Ignore, {"alpha", "Beta", "gamma"}, {1, 2, 3}},
        {TDuplicates::Accept, {"alpha", "Beta", "BETA", "beta", "gamma"}, {1, 2, 4, 5, 3}},
    };
    for (const auto &c : cases) {
        TStringList list;
        list.setSorted(true);
        list.setDuplicates(c.policy);
        list.add("gamma", 3);
        list.add("alpha", 1);
        list.add("Beta", 2);
        const int at = list.add("BETA", 4);
        list.add("beta", 5);
        EXPECT_EQ(list.toVector(), c.expected);
        std::vector<int> tags;
        for (int i = 0; i < list.count(); ++i)
            tags.push_back(list.tag(i));
        EXPECT_EQ(tags, c.tags);
        EXPECT_TRUE(sameText(list[at], "beta"));
        EXPECT_EQ(list.indexOf("BeTa"), 1); // binary search finds the first of the equals
    }

    TStringList strict;
    strict.setSorted(true);
    strict.setDuplicates(TDuplicates::Error);
    strict.add("TLabel");
    try {
        strict.add("tlabel");
        FAIL() << "no exception";
    } catch (const EStringListError &e) {
        EXPECT_EQ(e.message(), msg::DuplicateString);
    }
    EXPECT_EQ(strict.count(), 1);
}

TEST(StringList, SortedListFindsInsertionPointAndRefusesPositionalEdits)
{
    TStringList list{"TMemo", "tbutton", "TLabel"};
    list.setSorted(true); // sorts what is there
    EXPECT_EQ(list.toVector(), (Lines{"tbutton", "TLabel", "TMemo"}));
    int index = -1;
    EXPECT_TRUE(list.find("TLABEL", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.find("TEdit", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.find("zzz", index));
    EXPECT_EQ(index, 3);
    EXPECT_THROW(list.insert(0, "a"), EStringListError);
    EXPECT_THROW(list.set(0, "a"), EStringListError);
    list.remove(0); // deleting keeps the order and is allowed
    EXPECT_EQ(list.indexOf("TMemo"), 1);

    // Unsorted find is a plain look-up.
    TStringList plain{"b", "a"};
    EXPECT_TRUE(plain.find("A", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(plain.find("c", index));
    EXPECT_EQ(index, 2);
}

// Sorting and binary search rely on the comparison being a strict weak
// ordering; check it on texts chosen to trip up a careless fold.
TEST(StringList, ComparisonIsAStrictWeakOrderingConsistentWithLookUp)
{
    const Lines texts = {
        "", "a", "A", "ab", "aB", "a\xFF", "a\xFE", "\xC3\xA4", "\xC3\x84", "b", "_", "[", "Z", "z",
        "\xC5\xB8", "\xC3\xBF", "\xE2\x82\xAC", "\xE2\x82", "\xF0\x9F\x98\x80", "\xC4\xB0", "i", "I",
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto &a : texts) {
        EXPECT_EQ(compareText(a, a), 0);
        for (const auto &b : texts) {
            ASSERT_EQ(sign(compareText(a, b)), -sign(compareText(b, a))) << a << " / " << b;
            for (const auto &c : texts) {
                if (compareText(a, b) < 0 && compareText(b, c) < 0) {
                    ASSERT_LT(compareText(a, c), 0) << a << " < " << b << " < " << c;
                }
                if (compareText(a, b) == 0 && compareText(b, c) == 0) {
                    ASSERT_EQ(compareText(a, c), 0);
                }
            }
        }
    }
    EXPECT_EQ(compareText("\xC5\xB8", "\xC3\xBF"), 0); // Y diaeresis, both cases
    EXPECT_NE(compareText("a\xFF", "a\xFE"), 0);       // invalid bytes stay distinct
    EXPECT_LT(compareText("_", "a"), 0);                // letters fold to lower case, as the framework orders

    TStringList list;
    list.setSorted(true);
    list.setDuplicates(TDuplicates::Accept);
    for (const auto &t : texts)
        list.add(t);
    for (const auto &t : texts) {
        const int i = list.indexOf(t);
        ASSERT_GE(i, 0) << t;
        EXPECT_EQ(compareText(list[i], t), 0);
    }
}

TEST(StringList, SetTextSplitsAtEveryKindOfLineBreak)
{
    struct Case
    {
        const char *text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"\r\n", {""}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\n", {"a", ""}},
        {"a\rb\rc", {"a", "b", "c"}}, // carriage returns alone, no line feed anywhere
        {"a\r", {"a"}},
        {"\r\r", {"", ""}},
        {"a\rb\nc\r\nd\n\re", {"a", "b", "c", "d", "", "e"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        TStringList list;
        list.add("old", 9);
        list.setText(c.text);
        EXPECT_EQ(list.toVector(), c.lines);
        for (int i = 0; i < list.count(); ++i)
            EXPECT_EQ(list.tag(i), 0);
    }
    TStringList list{"x", "", "y"};
    EXPECT_EQ(list.text(), "x\n\ny\n");
}

TEST(StringList, SortedSetTextAppliesThePolicyOrKeepsTheListOnError)
{
    TStringList list;
    list.setSorted(true);
    list.setText("b\nA\na\nc");
    EXPECT_EQ(list.toVector(), (Lines{"A", "b", "c"}));

    list.setDuplicates(TDuplicates::Error);
    EXPECT_THROW(list.setText("x\nX"), EStringListError);
    EXPECT_EQ(list.toVector(), (Lines{"A", "b", "c"}));
}

TEST(StringList, LoadingDetectsTheEncodingByMark)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        TEncoding encoding;
        Lines lines;
    };
    const Case cases[] = {
        {"ansi", "a\xFC\r\n\x80", TEncoding::Ansi, {"a\xC3\xBC", "\xE2\x82\xAC"}},
        {"utf-8 mark", "\xEF\xBB\xBF" "a\xC3\xBC\nb", TEncoding::UTF8, {"a\xC3\xBC", "b"}},
        {"utf-16 le", std::string("\xFF\xFE" "a\0\xFC\0\r\0\n\0b\0", 12), TEncoding::UTF16LE, {"a\xC3\xBC", "b"}},
        {"utf-16 be", std::string("\xFE\xFF\0a\x20\xAC\0\r\0b", 10), TEncoding::UTF16BE, {"a\xE2\x82\xAC", "b"}},
        {"utf-16 surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), TEncoding::UTF16LE, {"\xF0\x9F\x98\x80"}},
        {"utf-16 odd trailing byte", std::string("\xFF\xFE" "a\0b", 5), TEncoding::UTF16LE, {"a\xEF\xBF\xBD"}},
        {"mark only", "\xEF\xBB\xBF", TEncoding::UTF8, {}},
        {"lone FF is ansi", "\xFF", TEncoding::Ansi, {"\xC3\xBF"}},
        {"empty", "", TEncoding::Ansi, {}},
        {"utf-8 without mark read as ansi", "\xC3\xBC", TEncoding::Ansi, {"\xC3\x83\xC2\xBC"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TStringList list;
        list.setEncoding(TEncoding::UTF16BE); // loading replaces what was remembered
        list.loadFromBytes(c.bytes);
        EXPECT_EQ(list.encoding(), c.encoding);
        EXPECT_EQ(list.toVector(), c.lines);
    }
}

TEST(StringList, SavingWritesCrLfInTheRememberedEncoding)
{
    struct Case
    {
        const char *name;
        std::string loaded; // what the list was loaded from
        std::string saved;  // after editing line 0 to "x\xE2\x82\xAC" (x and the euro sign) and adding "\xE4\xB8\xAD"
    };
    const Case cases[] = {
        {"ansi", "a\nb", "x\x80\r\nb\r\n?\r\n"}, // the CJK character cannot be held: '?'
        {"utf-8", "\xEF\xBB\xBF" "a\nb", "\xEF\xBB\xBF" "x\xE2\x82\xAC\r\nb\r\n\xE4\xB8\xAD\r\n"},
        {"utf-16 le", std::string("\xFF\xFE" "a\0", 4),
         std::string("\xFF\xFE" "x\0\xAC\x20\r\0\n\0\x2D\x4E\r\0\n\0", 16)},
        {"utf-16 be", std::string("\xFE\xFF\0a", 4),
         std::string("\xFE\xFF\0x\x20\xAC\0\r\0\n\x4E\x2D\0\r\0\n", 16)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TStringList list;
        list.loadFromBytes(c.loaded);
        list.set(0, "x\xE2\x82\xAC");
        list.add("\xE4\xB8\xAD");
        EXPECT_EQ(stringOf(list.saveToBytes()), c.saved);
    }

    // Lines set directly save as ANSI without a mark, whatever they hold.
    TStringList direct;
    direct.setText("gr\xC3\xBC\xC3\x9F" "e\n\xF0\x9F\x98\x80");
    EXPECT_EQ(direct.encoding(), TEncoding::Ansi);
    EXPECT_EQ(stringOf(direct.saveToBytes()), "gr\xFC\xDF" "e\r\n?\r\n");
    EXPECT_TRUE(TStringList().saveToBytes().empty());
}

TEST(StringList, UnicodeRoundTripsThroughUtf16AndUtf8)
{
    const std::string text = "object Form1: TForm\n  Caption = 'Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80 \xE4\xB8\xAD'\nend\n";
    for (const TEncoding encoding : {TEncoding::UTF8, TEncoding::UTF16LE, TEncoding::UTF16BE}) {
        TStringList list;
        list.setText(text);
        list.setEncoding(encoding);
        TStringList back;
        back.loadFromBytes(list.saveToBytes());
        EXPECT_EQ(back.encoding(), encoding);
        EXPECT_EQ(back.text(), text);
    }
}

TEST(StringList, StreamsAndFiles)
{
    TMemoryStream stream(bytesOf("skipa\r\nb"));
    stream.setPosition(4); // loading reads from the position to the end
    TStringList list;
    list.loadFromStream(stream);
    EXPECT_EQ(list.toVector(), (Lines{"a", "b"}));
    EXPECT_EQ(stream.position(), stream.size());

    TMemoryStream out;
    out.write("#");
    list.saveToStream(out); // writes at the position
    EXPECT_EQ(stringOf(out.bytes()), "#a\r\nb\r\n");

    const auto path = (std::filesystem::temp_directory_path() / "vantor_stringlist_test.txt").string();
    list.setEncoding(TEncoding::UTF8);
    list.saveToFile(path);
    TStringList fromFile;
    fromFile.loadFromFile(path);
    EXPECT_EQ(fromFile.toVector(), list.toVector());
    EXPECT_EQ(fromFile.encoding(), TEncoding::UTF8);
    std::remove(path.c_str());

    EXPECT_THROW(fromFile.loadFromFile("/nonexistent/dir/file.fmx"), EFOpenError);
    EXPECT_EQ(fromFile.count(), 2); // a failed load keeps the lines
    EXPECT_THROW(list.saveToFile("/nonexistent/dir/file.fmx"), EFOpenError);
}

TEST(StringList, AddStringsKeepsTagsAndFollowsTheTargetPolicy)
{
    TStringList source{"b", "a", "B"};
    source.setTag(1, 4);
    TStringList copy;
    copy.addStrings(source);
    EXPECT_EQ(copy.toVector(), (Lines{"b", "a", "B"}));
    EXPECT_EQ(copy.tag(1), 4);

    TStringList set;
    set.setSorted(true);
    set.addStrings(source);
    EXPECT_EQ(set.toVector(), (Lines{"a", "b"}));

    copy.addStrings(copy);
    EXPECT_EQ(copy.count(), 6);
}

} // namespace
