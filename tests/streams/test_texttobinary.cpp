#include "streams/binarytotext.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/objectstream.h"
#include "streams/texttobinary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace vantor;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes convert(std::string_view text)
{
    return textToBinary({reinterpret_cast<const std::uint8_t *>(text.data()), text.size()});
}

std::string hex(const Bytes &b, std::size_t from = 0, std::size_t to = std::string::npos)
{
    std::string s;
    char buf[4];
    for (std::size_t i = from; i < std::min(to, b.size()); ++i) {
        std::snprintf(buf, sizeof buf, "%s%02X", s.empty() ? "" : " ", b[i]);
        s += buf;
    }
    return s;
}

// The bytes of one property value: "object A: T", "P = <value>", "end".
std::string valueBytes(const std::string &value)
{
    const Bytes b = convert("object A: T\r\n  P = " + value + "\r\nend\r\n");
    // TPF0, "T", "A", "P" take 4 + 2 + 2 + 2 bytes; two zeros close the object.
    return hex(b, 10, b.size() - 2);
}

std::string parseError(std::string_view text)
{
    try {
        convert(text);
    } catch (const EParserError &e) {
        return e.what();
    }
    return "no error";
}

Bytes readFile(const std::string &name)
{
    std::ifstream in(std::string(VANTOR_TEST_DATA) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(TextToBinary, ValuesTable)
{
    struct Case
    {
        const char *text;
        const char *bytes;
    };
    const Case cases[] = {
        // integers: the smallest width; hex; signs; the 64-bit limits
        {"0", "02 00"},
        {"-129", "03 7F FF"},
        {"$FF0000", "04 00 00 FF 00"},
        {"$FFFFFFFF", "13 FF FF FF FF 00 00 00 00"},
        {"-2147483648", "04 00 00 00 80"},
        {"9223372036854775807", "13 FF FF FF FF FF FF FF 7F"},
        {"-9223372036854775808", "13 00 00 00 00 00 00 00 80"},
        {"+7", "02 07"},
        // floats: extended unless a suffix says single, currency or date
        {"16.000000000000000000", "05 00 00 00 00 00 00 00 80 03 40"},
        {"0.1", "05 CD CC CC CC CC CC CC CC FB 3F"},
        {"1.", "05 00 00 00 00 00 00 00 80 FF 3F"},
        {"1e10", "05 00 00 00 00 00 F9 02 95 20 40"},
        {"-20e1", "05 00 00 00 00 00 00 00 C8 06 C0"},
        {"-1200.000", "05 00 00 00 00 00 00 00 96 09 C0"},
        {"-0.0", "05 00 00 00 00 00 00 00 00 00 80"},
        {"+10.000", "05 00 00 00 00 00 00 00 A0 02 40"},
        {"1.5s", "0F 00 00 C0 3F"},
        {"12.34c", "10 08 E2 01 00 00 00 00 00"},
        {"-0.00005c", "10 FF FF FF FF FF FF FF FF"},
        {"45000.5d", "11 00 00 00 00 10 F9 E5 40"},
        // infinities and NaN as the binary-to-text conversion writes them
        {"INF", "05 00 00 00 00 00 00 00 80 FF 7F"},
        {"-INF", "05 00 00 00 00 00 00 00 80 FF FF"},
        {"1e5000", "05 00 00 00 00 00 00 00 80 FF 7F"},
        {"NANs", "0F 00 00 C0 7F"},
        {"INFO", "07 04 49 4E 46 4F"},
        // strings: pieces, codes, doubled quotes, '+' at either end of a line
        {"''", "06 00"},
        {"'can''t'", "06 05 63 61 6E 27 74"},
        {"'c'#97#110''''#116#32'open'", "06 0A 63 61 6E 27 74 20 6F 70 65 6E"},
        {"'a' +\r\n    'b'", "06 02 61 62"},
        {"'a'\r\n    + 'b'", "06 02 61 62"},
        {"\r\n    'ab'", "06 02 61 62"},
        {"('a' 'b'#13\r\n  + 'c' #10)", "01 06 01 61 06 03 62 0D 63 06 01 0A 00"}, // apart: separate items
        {"#$41", "06 01 41"},
        {"'Hyphen '#8211", "12 08 00 00 00 48 00 79 00 70 00 68 00 65 00 6E 00 20 00 13 20"},
        {"#233", "12 01 00 00 00 E9 00"},
        {"#55357#56832", "12 02 00 00 00 3D D8 00 DE"},
        {"#128512", "12 02 00 00 00 3D D8 00 DE"},
        // identifiers, booleans, nil, dotted references
        {"alClient", "07 08 61 6C 43 6C 69 65 6E 74"},
        {"TRUE", "09"},
        {"false", "08"},
        {"nil", "0D"},
        {"dm.cds", "07 06 64 6D 2E 63 64 73"},
        // sets, lists, collections, binary data
        {"[]", "0B 00"},
        {"[akLeft, akTop]", "0B 06 61 6B 4C 65 66 74 05 61 6B 54 6F 70 00"},
        {"[1, 3]", "0B 01 31 01 33 00"},
        {"()", "01 00"},
        {"(\r\n\r\n  1\r\n\r\n  'x')", "01 02 01 06 01 78 00"},
        {"<>", "0E 00"},
        {"<\r\n item\r\n  W = 1\r\n end\r\n ITEM [2]\r\n end>",
         "0E 01 01 57 02 01 00 02 02 01 00 00"},
        {"{}", "0A 00 00 00 00"},
        {"{0a0B\r\n    ff}", "0A 03 00 00 00 0A 0B FF"},
        // runs of 16 digits and more are decoded in blocks; a block may end
        // on a line break or the closing brace
        {"{0123456789abcdefABCDEF0123456789}", "0A 10 00 00 00 01 23 45 67 89 AB CD EF AB CD EF 01 23 45 67 89"},
        {"{0123456789ABCDEF01\r\n    23456789aBcDeF0123456789}",
         "0A 15 00 00 00 01 23 45 67 89 AB CD EF 01 23 45 67 89 AB CD EF 01 23 45 67 89"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valueBytes(c.text), c.bytes) << c.text;
}

// Plain decimals take a shortcut to the extended value; it must give the
// bytes the general parser gives, up to the 19 digits and 27 decimals it
// takes and past them.
TEST(TextToBinary, PlainDecimalsReadAsTheGeneralParserReadsThem)
{
    std::uint64_t state = 12345;
    auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return state >> 33;
    };
    std::vector<std::string> numbers = {"0.899999976158142100", "16.000000000000000000", "1.", ".5", "0.0",
                                        "0.000000000000000000000000001", "1234567890123456789.5",
                                        "9999999999999999999.0", "18446744073709551615.0", "0.1",
                                        "123456789012345678.9", "0.0000000000000000000000000001",
                                        "1200.000000000000000000", "0001.00", "9223372036854775808.0"};
    for (int i = 0; i < 3000; ++i) {
        const int digits = 1 + int(next() % 21);
        const int point = int(next() % (digits + 8));
        std::string n;
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                n += '.';
            n += char('0' + next() % 10);
        }
        if (point >= digits)
            n = "0." + std::string(std::size_t(point - digits), '0') + n;
        numbers.push_back(n);
    }
    for (const std::string &n : numbers) {
        std::string full = n;
        if (full.front() == '.')
            full.insert(0, "0");
        if (full.back() == '.')
            full += '0';
        const long double expected = std::strtold(full.c_str(), nullptr);
        Bytes want{std::uint8_t(TValueType::vaExtended)};
        const auto *p = reinterpret_cast<const std::uint8_t *>(&expected);
        want.insert(want.end(), p, p + 10);
        ASSERT_EQ(valueBytes(n), hex(want)) << n;
    }
}

TEST(TextToBinary, HeadersKeywordsAndTrailingText)
{
    const Bytes b = convert("OBJECT Form1: TForm1\r\n"
                            "  Object = 1\r\n"            // a property may be named like a keyword
                            "  Inherited AAA: TFrame [0]\r\n"
                            "  END\r\n"
                            "  inline TListBoxItem\r\n"
                            "  end\r\n"
                            "End\r\n"
                            "whatever follows is ignored {");
    EXPECT_EQ(hex(b),
              "54 50 46 30 06 54 46 6F 72 6D 31 05 46 6F 72 6D 31 "
              "06 4F 62 6A 65 63 74 02 01 00 "
              "F3 02 00 06 54 46 72 61 6D 65 03 41 41 41 00 00 "
              "F4 0C 54 4C 69 73 74 42 6F 78 49 74 65 6D 00 00 00 "
              "00");
}

TEST(TextToBinary, FixtureMatchesItsBinaryTwin)
{
    const Bytes text = readFile("conv_alltypes.fmx");
    const Bytes binary = readFile("conv_alltypes.bin");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(textToBinary(text), binary);
}

TEST(TextToBinary, InputEncodings)
{
    // The same form in every encoding the loader may hand over.
    const std::string form = "object A: T\r\n  S = 'Gr\xC3\xBC\xC3\x9F\xE2\x82\xAC'\r\n  W = '\xC5\x91'\r\nend\r\n";
    const Bytes expected = convert("\xEF\xBB\xBF" + form);
    const std::string ansi = "object A: T\r\n  S = 'Gr\xFC\xDF\x80'\r\n  W = #337\r\nend\r\n";
    EXPECT_EQ(convert(ansi), expected);
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    const std::u16string units = u"object A: T\r\n  S = 'Grüß€'\r\n  W = 'ő'\r\nend\r\n";
    for (char16_t u : units) {
        le += char(u & 0xFF);
        le += char(u >> 8);
        be += char(u >> 8);
        be += char(u & 0xFF);
    }
    EXPECT_EQ(convert(le), expected);
    EXPECT_EQ(convert(be), expected);
    // Byte strings hold Windows-1252; a character outside it makes the string wide.
    EXPECT_EQ(hex(expected, 8, expected.size() - 2),
              "01 53 06 05 47 72 FC DF 80 01 57 12 01 00 00 00 51 01");

    // Past 16 plain characters the scan goes by blocks: a UTF-8 sequence and
    // a doubled quote there end the run as they do earlier.
    const std::string pad = "0123456789abcdefghij";
    const Bytes longUtf8 = convert("\xEF\xBB\xBF" "object A: T\r\n  S = '" + pad + "\xC3\xBC" + pad + "''" + pad + "'\r\nend\r\n");
    const Bytes longAnsi = convert("object A: T\r\n  S = '" + pad + "\xFC" + pad + "''" + pad + "'\r\nend\r\n");
    EXPECT_EQ(longUtf8, longAnsi);
    EXPECT_EQ(hex(longAnsi, 10, 14), "06 3E 30 31"); // 62 bytes: the two characters are one byte each

    // Non-ASCII names are stored as UTF-8 whatever the input encoding was.
    const Bytes named = convert("object edtT\xE9l\xE9phone: TEdit\r\nend\r\n");
    EXPECT_EQ(hex(named, 10, 25), "0E 65 64 74 54 C3 A9 6C C3 A9 70 68 6F 6E 65");
}

TEST(TextToBinary, SyntaxErrorsNameReasonAndLine)
{
    struct Case
    {
        const char *text;
        const char *message;
    };
    const Case cases[] = {
        {"", "Unerwartetes Dateiende in Zeile 1"},
        {"object A: T\n  P = 1\n", "Unerwartetes Dateiende in Zeile 3"},
        {"object A: T\n  P = ?\nend", "Ungültiger Eigenschaftswert in Zeile 2"},
        {"object A: T\r\n\r\n  P = 1x\r\nend", "Ungültiger Eigenschaftswert in Zeile 3"},
        {"object A: T\r  P = 1e\rend", "Ungültiger Eigenschaftswert in Zeile 2"},
        {"thing A: T\nend", "'object', 'inherited' oder 'inline' erwartet in Zeile 1"},
        {"object A: T\n  P 1\nend", "'=' erwartet in Zeile 2"},
        {"object A: T\n  P = 'open\nend", "Zeichenkette nicht abgeschlossen in Zeile 2"},
        {"object A: T\n  P = '0123456789abcdefghij\r\nend", "Zeichenkette nicht abgeschlossen in Zeile 2"},
        {"object A: T\n  P = 'a' +\n  Q = 1\nend", "Zeichenkette erwartet in Zeile 3"},
        {"object A: T\n  P = #\nend", "Ungültiger Zeichencode in Zeile 2"},
        {"object A: T\n  P = #1114112\nend", "Ungültiger Zeichencode in Zeile 2"},
        {"object A: T\n  P = 9223372036854775808\nend", "Zahl außerhalb des gültigen Bereichs in Zeile 2"},
        {"object A: T\n  P = $10000000000000000\nend", "Zahl außerhalb des gültigen Bereichs in Zeile 2"},
        {"object A: T\n  P = [a b]\nend", "']' erwartet in Zeile 2"},
        {"object A: T\n  P = [a, -]\nend", "Bezeichner erwartet in Zeile 2"},
        {"object A: T\n  P = {ABC}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {AG}\nend", "Ungültige Binärdaten in Zeile 2"},
        // the neighbours of the digit and letter ranges inside a block of 16
        {"object A: T\n  P = {0123456789ABCDE/}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {0123456789ABCDE:}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {@123456789ABCDEF}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {0123456G89ABCDEF}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {0123456789`bcdef}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {0123456789abcdeg}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = {0123456789abcdef\n  0123456789abcde\xC1}\nend", "Ungültige Binärdaten in Zeile 3"},
        {"object A: T\n  P = {0123456789abcdef0}\nend", "Ungültige Binärdaten in Zeile 2"},
        {"object A: T\n  P = <\n  Width = 1\n  >\nend", "'item' erwartet in Zeile 3"},
        {"object A: T [x]\nend", "Ganzzahl erwartet in Zeile 1"},
        {"object A: T\n  object B: T\n  end\n  Q = 2\nend", "'object', 'inherited' oder 'inline' erwartet in Zeile 4"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseError(c.text), c.message) << c.text;

    try {
        convert("object A: T\n\n\n  P = ?\nend");
        FAIL();
    } catch (const EParserError &e) {
        EXPECT_EQ(e.line(), 4);
    }
    EXPECT_EQ(parseError("object " + std::string(256, 'N') + ": T\nend"), "Bezeichner zu lang in Zeile 1");
}

TEST(TextToBinary, DeepNestingIsRefusedNotOverflowed)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "object A: T\n";
    EXPECT_EQ(parseError(deep), "Verschachtelung zu tief in Zeile 1001");
    std::string lists = "object A: T\n  P = " + std::string(100000, '(');
    EXPECT_EQ(parseError(lists), "Verschachtelung zu tief in Zeile 2");

    std::string ok;
    for (int i = 0; i < kMaxNestingDepth; ++i)
        ok += "object A: T\n";
    for (int i = 0; i < kMaxNestingDepth; ++i)
        ok += "end\n";
    EXPECT_EQ(parseError(ok), "no error");
}

TEST(TextToBinary, ConvertsStreamsFromTheirPosition)
{
    TMemoryStream in, out;
    in.write(std::string_view("xxobject A: T\nend"));
    in.setPosition(2);
    out.write(std::string_view("HDR"));
    ObjectTextToBinary(in, out);
    EXPECT_EQ(hex(out.bytes()), "48 44 52 54 50 46 30 01 54 01 41 00 00");
}
