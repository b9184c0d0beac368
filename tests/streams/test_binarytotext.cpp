#include "streams/binarytotext.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/objectstream.h"
#include "streams/texttobinary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

using namespace vantor;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string &name)
{
    std::ifstream in(std::string(VANTOR_TEST_DATA) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A stream "object A: T" with one property P whose value the function writes.
Bytes streamWithValue(const std::function<void(ObjectWriter &)> &value)
{
    Bytes out;
    ObjectWriter w(out);
    w.writeSignature();
    w.writeComponentHeader({0, 0, "T", "A"});
    w.writeStr("P");
    value(w);
    w.writeListEnd();
    w.writeListEnd();
    return out;
}

// The text of the property line(s) between the header and "end".
std::string valueText(const std::function<void(ObjectWriter &)> &value)
{
    const std::string text = binaryToText(streamWithValue(value));
    const std::string head = "object A: T\r\n  P = ";
    const std::string tail = "\r\nend\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

template<typename E>
std::string errorOf(const Bytes &stream)
{
    try {
        binaryToText(stream);
    } catch (const E &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(BinaryToText, FixtureMatchesItsTextTwinExactly)
{
    const Bytes binary = readFile("conv_alltypes.bin");
    const Bytes text = readFile("conv_alltypes.fmx");
    ASSERT_FALSE(binary.empty());
    TMemoryStream in(binary), out;
    ObjectBinaryToText(in, out);
    EXPECT_EQ(std::string(out.bytes().begin(), out.bytes().end()), std::string(text.begin(), text.end()));
}

TEST(BinaryToText, FloatForms)
{
    struct Case
    {
        double value;
        const char *fixed;
        const char *general;
    };
    const Case cases[] = {
        {16, "16.000000000000000000", "16"},
        {0.1, "0.100000000000000000", "0.1"},
        {-2.5, "-2.500000000000000000", "-2.5"},
        {0, "0.000000000000000000", "0"},
        {1.0 / 3, "0.333333333333333300", "0.333333333333333"},
        {123456789.123456789, "123456789.123456800000000000", "123456789.123457"},
        {6e20, "600000000000000000000.000000000000000000", "6E20"},
        {0.00012, "0.000120000000000000", "0.00012"},
        {0.000012, "0.000012000000000000", "1.2E-5"},
        // Fixed notation would drop these digits, so they keep the exponent form.
        {1.5e-20, "1.5E-20", "1.5E-20"},
        {0.00012345678901234567, "1.234567890123457E-4", "0.000123456789012346"},
        {std::numeric_limits<double>::infinity(), "INF", "INF"},
        // Whole numbers go through a shortcut; its edges and its sign.
        {-16, "-16.000000000000000000", "-16"},
        {-0.0, "-0.000000000000000000", "-0"},
        {999999999999999, "999999999999999.000000000000000000", "999999999999999"},
        {1e15, "1000000000000000.000000000000000000", "1E15"},
        {-4503599627370497, "-4503599627370497.000000000000000000", "-4.5035996273705E15"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(formatFixedFloat(c.value), c.fixed) << c.value;
        EXPECT_EQ(formatGeneralFloat(c.value), c.general) << c.value;
    }
    EXPECT_EQ(formatCurrency(123400), "12.34");
    EXPECT_EQ(formatCurrency(-5), "-0.0005");
    EXPECT_EQ(formatCurrency(INT64_MIN), "-922337203685477.5808") << "currency is printed exactly";

    EXPECT_EQ(valueText([](ObjectWriter &w) { w.writeSingle(0.1f); }), "0.100000001490116s");
    EXPECT_EQ(valueText([](ObjectWriter &w) { w.writeCurrency(123400); }), "12.34c");
    EXPECT_EQ(valueText([](ObjectWriter &w) { w.writeDate(45000.5); }), "45000.5d");
    EXPECT_EQ(valueText([](ObjectWriter &w) { w.writeDouble(16); }), "16.000000000000000000");
}

TEST(BinaryToText, FloatsSurviveTheRoundTripThroughText)
{
    // Every form the writer chooses must read back to the value it came from
    // (within 16 significant digits for extended/double).
    const double values[] = {1e-300, 1.5e-20, 0.00012345678901234567, 0.1, 1.0 / 3, 123456789.123456789, 6e20, -1e300};
    for (double v : values) {
        const Bytes stream = streamWithValue([&](ObjectWriter &w) { w.writeDouble(v); });
        const std::string text = binaryToText(stream);
        const Bytes back = textToBinary({reinterpret_cast<const std::uint8_t *>(text.data()), text.size()});
        ObjectReader r(back);
        r.readSignature();
        r.readComponentHeader();
        r.readStr();
        const double got = r.readFloat();
        EXPECT_NEAR(got, v, std::fabs(v) * 1e-15) << text;
    }
}

TEST(BinaryToText, StringsArePiecesOfSixtyFourCharacters)
{
    struct Case
    {
        std::function<void(ObjectWriter &)> write;
        std::string text;
    };
    const std::string a64(64, 'a');
    const Case cases[] = {
        {[](ObjectWriter &w) { w.writeAnsiString(""); }, "''"},
        {[](ObjectWriter &w) { w.writeAnsiString("I'm\tok"); }, "'I'#39'm'#9'ok'"},
        {[](ObjectWriter &w) { w.writeAnsiString("\x27"); }, "#39"},
        {[](ObjectWriter &w) { w.writeAnsiString("Gr\xFC\xDF"); }, "'Gr\xFC\xDF'"}, // byte strings keep their bytes
        {[](ObjectWriter &w) { w.writeWideString(u"Gr\u00FC\u2013"); }, "'Gr'#252#8211"},
        {[](ObjectWriter &w) { w.writeUtf8String("\xF0\x9F\x98\x80!"); }, "#55357#56832'!'"},
        // plain runs longer than a block of 16 end at the character that is not plain
        {[](ObjectWriter &w) { w.writeAnsiString("0123456789abcdefghij'klmnopqrstu\x7Fv\x1Fw\xE9xyz"); },
         "'0123456789abcdefghij'#39'klmnopqrstu\x7Fv'#31'w\xE9xyz'"},
        {[](ObjectWriter &w) { w.writeWideString(u"0123456789abcdef\u00E9'abcdefghi\u007F\u0080"); },
         "'0123456789abcdef'#233#39'abcdefghi\x7F'#128"},
        {[&](ObjectWriter &w) { w.writeAnsiString(a64); }, "'" + a64 + "'"},
        {[&](ObjectWriter &w) { w.writeAnsiString(a64 + "b"); }, "\r\n    '" + a64 + "' +\r\n    'b'"},
        {[&](ObjectWriter &w) { w.writeAnsiString(a64 + "\r\n"); }, "\r\n    '" + a64 + "' +\r\n    #13#10"},
        {[&](ObjectWriter &w) { w.writeAnsiString(std::string(63, 'a') + "''"); },
         "\r\n    '" + std::string(63, 'a') + "'#39 +\r\n    #39"},
        {[&](ObjectWriter &w) { w.writeAnsiString(a64 + a64); }, "\r\n    '" + a64 + "' +\r\n    '" + a64 + "'"},
        {[&](ObjectWriter &w) {
             std::u16string s(64, u'x');
             s += u'\u00E9';
             w.writeWideString(s);
         },
         "\r\n    '" + std::string(64, 'x') + "' +\r\n    #233"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valueText(c.write), c.text);
}

TEST(BinaryToText, ContainersAndBinaryLayout)
{
    EXPECT_EQ(valueText([](ObjectWriter &w) {
                  w.writeListBegin();
                  w.writeListBegin();
                  w.writeValueType(TValueType::vaNull);
                  w.writeAnsiString(std::string(65, 'x'));
                  w.writeValueType(TValueType::vaNull);
              }),
              "(\r\n    ()\r\n    \r\n      '" + std::string(64, 'x') + "' +\r\n      'x')");
    EXPECT_EQ(valueText([](ObjectWriter &w) {
                  w.writeCollectionBegin();
                  w.writeItemBegin(-1);
                  w.writeStr("Sub");
                  w.writeCollectionBegin();
                  w.writeItemBegin();
                  w.writeListEnd();
                  w.writeListEnd();
                  w.writeListEnd();
                  w.writeListEnd();
              }),
              "<\r\n    item [-1]\r\n      Sub = <\r\n        item\r\n        end>\r\n    end>");
    const Bytes b31(31, 0xAB), b33(33, 0x0F);
    std::string ab;
    for (int i = 0; i < 31; ++i)
        ab += "AB";
    EXPECT_EQ(valueText([&](ObjectWriter &w) { w.writeBinary(b31); }), "{" + ab + "}");
    std::string line;
    for (int i = 0; i < 32; ++i)
        line += "0F";
    EXPECT_EQ(valueText([&](ObjectWriter &w) { w.writeBinary(b33); }), "{\r\n    " + line + "\r\n    0F}");
    // Every byte value, so every digit pair appears in blocks of 16 and after them.
    Bytes all(256 + 7);
    std::string allText = "{";
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = std::uint8_t(i);
        if (i % 32 == 0)
            allText += "\r\n    ";
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", unsigned(i & 0xFF));
        allText += pair;
    }
    EXPECT_EQ(valueText([&](ObjectWriter &w) { w.writeBinary(all); }), allText + "}");
    EXPECT_EQ(valueText([](ObjectWriter &w) {
                  const std::vector<std::string> set{"akLeft", "akTop"};
                  w.writeSet(set);
              }),
              "[akLeft, akTop]");
    EXPECT_EQ(valueText([](ObjectWriter &w) {
                  const std::vector<std::string> set{"1", "-3"};
                  w.writeSet(set);
              }),
              "[1, -3]");
}

TEST(BinaryToText, NonAsciiNamesMakeTheTextUtf8WithMark)
{
    Bytes out;
    ObjectWriter w(out);
    w.writeSignature();
    w.writeComponentHeader({0, 0, "TLabel", "lblContrase\xC3\xB1" "a"});
    w.writeStr("Caption");
    w.writeAnsiString("Gr\xFC\xDF");
    w.writeListEnd();
    w.writeListEnd();
    // The code page bytes of the string are written in UTF-8 too, so the
    // whole text has one encoding.
    EXPECT_EQ(binaryToText(out), "\xEF\xBB\xBFobject lblContrase\xC3\xB1" "a: TLabel\r\n  Caption = 'Gr\xC3\xBC\xC3\x9F'\r\nend\r\n");

    // A UTF-8 text with mark reads back to the same stream.
    const std::string text = binaryToText(out);
    EXPECT_EQ(textToBinary({reinterpret_cast<const std::uint8_t *>(text.data()), text.size()}), out);
}

TEST(BinaryToText, DamagedStreamsRaiseClearErrors)
{
    struct Case
    {
        const char *what;
        Bytes stream;
        const char *message;
    };
    auto withValue = [](std::initializer_list<int> value) {
        Bytes b{'T', 'P', 'F', '0', 1, 'T', 1, 'A', 1, 'P'};
        for (int v : value)
            b.push_back(std::uint8_t(v));
        return b;
    };
    const Case cases[] = {
        {"no signature", Bytes{'o', 'b', 'j', 'e'}, "Ungültiges Stream-Format"},
        {"empty", Bytes{}, "Ungültiges Stream-Format"},
        {"cut after the header", Bytes{'T', 'P', 'F', '0', 1, 'T', 1, 'A'}, msg::ReadBeyondEnd},
        {"4 GiB long string", withValue({12, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), msg::ReadBeyondEnd},
        {"4 GiB wide string", withValue({18, 0xFF, 0xFF, 0xFF, 0xFF, 'x', 0}), msg::ReadBeyondEnd},
        {"50 MB string claimed", withValue({12, 0x80, 0xF0, 0xFA, 0x02, 'x'}), msg::ReadBeyondEnd},
        {"binary past the end", withValue({10, 0x10, 0, 0, 0, 1, 2}), msg::ReadBeyondEnd},
        {"unknown value type", withValue({22}), "Ungültiger Werttyp 22"},
        {"list never closed", withValue({1, 2, 1}), msg::ReadBeyondEnd},
        {"item without its list", withValue({14, 2, 1, 2}), msg::InvalidPropertyValue},
        // Names the text could not read back.
        {"class name with a dollar", Bytes{'T', 'P', 'F', '0', 2, 'T', '$', 0, 0, 0}, "Ungültiger Name: T$"},
        {"empty class name", Bytes{'T', 'P', 'F', '0', 0, 0, 0, 0}, "Ungültiger Name: "},
        {"identifier starting with a digit", withValue({7, 2, '1', 'a'}), "Ungültiger Name: 1a"},
        {"control character in a set element", withValue({11, 2, 'a', 10, 0}), "Ungültiger Name: a?"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorOf<EFilerError>(c.stream), c.message) << c.what;
}

// Long names are checked 16 bytes at a time: a byte that no name may hold is
// found wherever it stands, and so is a byte above 127.
TEST(BinaryToText, EveryByteOfANameIsChecked)
{
    const std::string base = "Ab_9.Cd_9.Ef_9.Gh_9.Ij_9.Kl_9.Mno"; // 33 bytes, all readable
    for (std::size_t length : {2, 15, 16, 17, 32, 33}) {
        const std::string good = base.substr(0, length);
        EXPECT_EQ(valueText([&](ObjectWriter &w) { w.writeIdent(good); }), good);
        for (std::size_t at : {std::size_t(1), length / 2, length - 1}) {
            for (char bad : {'@', '[', '`', '{', '/', ':', ' ', '-', '$', '\x7F'}) {
                std::string name = good;
                name[at] = bad;
                EXPECT_EQ(errorOf<EReadError>(streamWithValue([&](ObjectWriter &w) { w.writeIdent(name); })),
                          "Ungültiger Name: " + name)
                    << name;
            }
            std::string wide = good;
            wide[at] = '\xE9';
            const std::string text = binaryToText(streamWithValue([&](ObjectWriter &w) { w.writeIdent(wide); }));
            EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF") << wide;
        }
    }
}

TEST(BinaryToText, DeepNestingIsRefusedBeforeTheTextGrows)
{
    // 100,000 nested components: no recursion, and the bound stops the
    // indentation from turning a small stream into hundreds of megabytes.
    Bytes deep{'T', 'P', 'F', '0'};
    for (int i = 0; i < 100000; ++i)
        deep.insert(deep.end(), {1, 'T', 0, 0}); // class "T", no name, no properties
    EXPECT_EQ(errorOf<EReadError>(deep), msg::NestingTooDeep);

    Bytes lists = streamWithValue([](ObjectWriter &w) {
        for (int i = 0; i < 100000; ++i)
            w.writeListBegin();
    });
    EXPECT_EQ(errorOf<EReadError>(lists), msg::NestingTooDeep);

    Bytes ok{'T', 'P', 'F', '0'};
    for (int i = 0; i < kMaxNestingDepth; ++i)
        ok.insert(ok.end(), {1, 'T', 0, 0});
    ok.insert(ok.end(), std::size_t(kMaxNestingDepth), 0);
    EXPECT_EQ(errorOf<EReadError>(ok), "no error");
}

TEST(BinaryToText, RandomBytesNeverCrash)
{
    // Mutations of a valid stream reach deep into the decoder; every outcome
    // is either text or a stream error.
    const Bytes base = readFile("conv_alltypes.bin");
    ASSERT_FALSE(base.empty());
    std::uint64_t x = 0x853C49E6748FEA9B;
    auto next = [&] {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return x;
    };
    for (int round = 0; round < 3000; ++round) {
        Bytes b = base;
        const int edits = 1 + int(next() % 4);
        for (int e = 0; e < edits; ++e)
            b[4 + next() % (b.size() - 4)] = std::uint8_t(next());
        if (round % 5 == 0)
            b.resize(4 + next() % (b.size() - 4));
        try {
            binaryToText(b);
        } catch (const EFilerError &) {
        }
    }
}
