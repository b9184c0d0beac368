#include "streams/formfile.h"
#include "streams/memorystream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor;

namespace {

using Lines = std::vector<std::string>;
using Format = TStreamOriginalFormat;

std::string fixture(const char *name)
{
    return std::string(VANTOR_TEST_DATA) + "/" + name;
}

std::vector<std::uint8_t> bytesOf(std::string_view s)
{
    return {s.begin(), s.end()};
}

TEST(FormFile, TestStreamFormatLooksAtTheFirstFourBytes)
{
    const struct
    {
        std::string bytes;
        Format format;
    } cases[] = {
        {"", Format::Binary}, // missing bytes count as zeros
        {std::string(4, '\0'), Format::Binary},
        {std::string("\0\0\0\1", 4), Format::Unknown},
        {"\xFF", Format::Binary},
        {"\xFF\xFE" "o", Format::Binary}, // a UTF-16 LE mark looks binary
        {"\xFE\xFF", Format::Unknown},
        {"TPF0\x05", Format::Binary},
        {"TPF", Format::Unknown},
        {"object", Format::Text},
        {"Object", Format::Text},
        {"inherited", Format::Text},
        {"Inline", Format::Text},
        {" x", Format::Text},
        {"\tx", Format::Text},
        {"\v", Format::Text},
        {"\r\n", Format::Text},
        {"\nobject", Format::Unknown},
        {"unit", Format::Unknown},
        {"\xEF\xBB\xBFobject", Format::UTF8Text},
        {"\xEF\xBB", Format::Unknown},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(TestStreamFormat(reinterpret_cast<const std::uint8_t *>(c.bytes.data()), c.bytes.size()), c.format);
        TMemoryStream stream(bytesOf("xy" + c.bytes));
        stream.setPosition(2);
        EXPECT_EQ(TestStreamFormat(stream), c.format);
        EXPECT_EQ(stream.position(), 2u);
    }
}

// A 32-bit resource file: the empty entry, then an entry of the given type
// and header size, then payload.
std::string res32(std::uint32_t type, std::uint32_t headerSize, std::size_t entryBytes)
{
    std::string s("\0\0\0\0\x20\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0", 16);
    s += std::string(16, '\0');
    std::string entry(entryBytes, 'e');
    const auto put = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4 && at + k < entry.size(); ++k)
            entry[at + k] = static_cast<char>(v >> (8 * k));
    };
    put(0, 0);
    put(4, headerSize);
    put(8, type);
    return s + entry;
}

TEST(FormFile, ReadResHeaderFindsTheStreamOrRefusesTheHeader)
{
    const std::string tpf0 = "TPF0";
    const struct
    {
        const char *name;
        std::string bytes;
        long position; // -1: EFilerError
    } cases[] = {
        {"16-bit", std::string("\xFF\x0A\0TFORM1\0\x30\x10\4\0\0\0", 16) + tpf0, 16},
        {"16-bit, empty name", std::string("\xFF\x0A\0\0\x30\x10\4\0\0\0", 10) + tpf0, 10},
        {"16-bit, header only", std::string("\xFF\x0A\0N\0\0\0\0\0\0\0", 11), 11},
        {"32-bit", res32(0x000AFFFF, 44, 44) + tpf0, 76},
        {"32-bit, stream at the very end", res32(0x000AFFFF, 44, 44), 76},
        {"empty", "", -1},
        {"bare stream", tpf0 + std::string(40, '\0'), -1},
        {"16-bit, cut short", "\xFF\x0A", -1},
        {"16-bit, wrong type", std::string("\xFF\x0B\0N\0\0\0\0\0\0\0", 11) + tpf0, -1},
        {"16-bit, name not ended", std::string("\xFF\x0A\0", 3) + std::string(300, 'N'), -1},
        {"16-bit, name ended beyond 255 bytes", std::string("\xFF\x0A\0", 3) + std::string(260, 'N') + std::string(7, '\0'), -1},
        {"16-bit, flags and size missing", std::string("\xFF\x0A\0N\0\0\0", 7), -1},
        {"32-bit, other type", res32(0x000BFFFF, 44, 44) + tpf0, -1},
        {"32-bit, header size past the end", res32(0x000AFFFF, 4000, 44) + tpf0, -1},
        {"32-bit, header size too small", res32(0x000AFFFF, 4, 44) + tpf0, -1},
        {"32-bit, entry cut short", res32(0x000AFFFF, 44, 10), -1},
        {"32-bit, empty entry alone", res32(0x000AFFFF, 44, 0), -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // From a position inside a larger buffer too: offsets are relative to it.
        for (const std::string prefix : {"", "PRE"}) {
            TMemoryStream stream(bytesOf(prefix + c.bytes));
            stream.setPosition(prefix.size());
            if (c.position < 0) {
                try {
                    ReadResHeader(stream);
                    ADD_FAILURE() << "no exception";
                } catch (const EFilerError &e) {
                    EXPECT_EQ(e.message(), msg::InvalidStreamFormat);
                }
            } else {
                ReadResHeader(stream);
                EXPECT_EQ(stream.position(), prefix.size() + c.position);
            }
        }
    }
}

TEST(FormFile, FilesThatLookBinaryButAreNoBinaryFormFail)
{
    for (const char *name : {"form_text_utf16le.fmx", "form_empty.fmx", "form_binary_without_header.fmx"}) {
        SCOPED_TRACE(name);
        TStringList lines{"kept"};
        lines.setTag(0, 3);
        try {
            ReadFormFileLines(fixture(name), lines);
            ADD_FAILURE() << "no exception";
        } catch (const EFilerError &e) {
            EXPECT_EQ(e.message(), "Ungültiges Stream-Format");
        }
        EXPECT_EQ(lines.toVector(), Lines{"kept"}); // an error leaves the lines as they were
        EXPECT_EQ(lines.tag(0), 3);
        EXPECT_THROW(LoadBinaryFormAsText(fixture(name), lines), EFilerError);
    }
}

TEST(FormFile, TextFormsAreReadAsText)
{
    const struct
    {
        const char *file;
        Format format;
        TEncoding encoding;
        Lines lines;
    } cases[] = {
        {"form_text_leading_lf.fmx", Format::Unknown, TEncoding::Ansi, {"", "object Form1: TForm", "  Caption = 'Hi'", "end"}},
        {"form_text_ansi.fmx", Format::Text, TEncoding::Ansi, {"object Form1: TForm", "  Caption = 'Gr\xC3\xBC\xC3\x9F" "e'", "end"}},
        {"form_text_utf8_bom.fmx", Format::UTF8Text, TEncoding::UTF8,
         {"object frmT\xC3\xA9l\xC3\xA9phone: TForm", "  Caption = 'T\xC3\xA9l\xC3\xA9phone'", "end"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const auto bytes = readWholeFile(fixture(c.file));
        EXPECT_EQ(TestStreamFormat(bytes.data(), bytes.size()), c.format);
        TStringList lines;
        ReadFormFileLines(fixture(c.file), lines);
        EXPECT_EQ(lines.toVector(), c.lines);
        EXPECT_EQ(lines.encoding(), c.encoding);
    }

    // A UTF-8 form keeps its mark and its characters through load and save.
    const auto original = readWholeFile(fixture("form_text_utf8_bom.fmx"));
    TStringList lines;
    ReadFormFileLines(original, lines);
    EXPECT_EQ(lines.saveToBytes(), original);
}

TEST(FormFile, MissingFileRaisesFileError)
{
    TStringList lines;
    EXPECT_THROW(ReadFormFileLines(fixture("form_does_not_exist.fmx"), lines), EFOpenError);
    EXPECT_THROW(LoadBinaryFormAsText(fixture("form_does_not_exist.fmx"), lines), EFOpenError);
}

TEST(FormFile, BinaryFormsBecomeTextInTheirEncoding)
{
    const struct
    {
        const char *file;
        TEncoding encoding;
        Lines lines;
    } cases[] = {
        {"form_binary_res16.fmx", TEncoding::Ansi, {"object Form1: TForm", "  Caption = 'Hi'", "end"}},
        {"form_binary_res32.fmx", TEncoding::Ansi, {"object Form1: TForm", "  Caption = 'Hi'", "end"}},
        {"form_binary_ansi_caption.fmx", TEncoding::Ansi, {"object Form1: TForm", "  Caption = 'Gr\xC3\xBC\xC3\x9F" "e'", "end"}},
        // A name outside ASCII: the conversion writes UTF-8 behind its mark,
        // and the name must come through whole.
        {"form_binary_utf8_name.fmx", TEncoding::UTF8,
         {"object Fenster_Gr\xC3\xBC\xC3\x9F" "e: TForm", "  Caption = 'Gr\xC3\xBC\xC3\x9F" "e'", "end"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        TStringList lines{"old"};
        lines.setTag(0, 9);
        ReadFormFileLines(fixture(c.file), lines);
        EXPECT_EQ(lines.toVector(), c.lines);
        EXPECT_EQ(lines.encoding(), c.encoding);
        EXPECT_EQ(lines.tag(0), 0);
        TStringList direct;
        LoadBinaryFormAsText(fixture(c.file), direct);
        EXPECT_EQ(direct.toVector(), c.lines);
    }

    TStringList lines;
    ReadFormFileLines(fixture("form_binary_utf8_name.fmx"), lines);
    const auto saved = lines.saveToBytes();
    const std::string text(saved.begin(), saved.end());
    EXPECT_EQ(text, "\xEF\xBB\xBF" "object Fenster_Gr\xC3\xBC\xC3\x9F" "e: TForm\r\n"
                    "  Caption = 'Gr\xC3\xBC\xC3\x9F" "e'\r\nend\r\n");
}

} // namespace
