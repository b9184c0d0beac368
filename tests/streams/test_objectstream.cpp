#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/objectstream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace vantor;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::initializer_list<int> list)
{
    Bytes b;
    for (int v : list)
        b.push_back(std::uint8_t(v));
    return b;
}

template<typename Fn>
Bytes written(Fn fn)
{
    Bytes out;
    ObjectWriter w(out);
    fn(w);
    return out;
}

template<typename E>
std::string messageOf(const Bytes &bytes, void (*fn)(ObjectReader &))
{
    ObjectReader r(bytes);
    try {
        fn(r);
    } catch (const E &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(ObjectWriter, IntegersTakeTheSmallestType)
{
    struct Case
    {
        std::int64_t value;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, bytesOf({2, 0})},
        {-128, bytesOf({2, 0x80})},
        {128, bytesOf({3, 0x80, 0})},
        {-32768, bytesOf({3, 0x00, 0x80})},
        {32768, bytesOf({4, 0x00, 0x80, 0, 0})},
        {-2147483648LL, bytesOf({4, 0, 0, 0, 0x80})},
        {2147483648LL, bytesOf({19, 0, 0, 0, 0x80, 0, 0, 0, 0})},
        {INT64_MIN, bytesOf({19, 0, 0, 0, 0, 0, 0, 0, 0x80})},
    };
    for (const Case &c : cases) {
        const Bytes b = written([&](ObjectWriter &w) { w.writeInteger(c.value); });
        EXPECT_EQ(b, c.bytes) << c.value;
        ObjectReader r(b);
        EXPECT_EQ(r.readInteger(), c.value);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(ObjectWriter, StringsTakeTheNarrowestTypeThatHoldsThem)
{
    struct Case
    {
        std::string utf8;
        TValueType type;
        std::string rawBytes;
    };
    const Case cases[] = {
        {"", TValueType::vaString, ""},
        {"abc", TValueType::vaString, "abc"},
        {"\xC3\xA9\xE2\x82\xAC", TValueType::vaString, "\xE9\x80"},                // é € in Windows-1252
        {"\xC5\x91", TValueType::vaWString, std::string("\x51\x01", 2)},           // ő is not in it
        {std::string(256, 'x'), TValueType::vaLString, std::string(256, 'x')},
    };
    for (const Case &c : cases) {
        const Bytes b = written([&](ObjectWriter &w) { w.writeString(c.utf8); });
        ObjectReader r(b);
        const RawString raw = r.readRawString();
        EXPECT_EQ(raw.type, c.type) << c.utf8;
        EXPECT_EQ(raw.bytes, c.rawBytes) << c.utf8;
        ObjectReader again(b);
        EXPECT_EQ(again.readString(), c.utf8);
    }
}

TEST(ObjectStream, EveryValueTypeRoundTrips)
{
    const Bytes b = written([](ObjectWriter &w) {
        w.writeExtended(0.25);
        w.writeDouble(-1e300);
        w.writeSingle(1.5f);
        w.writeCurrency(123400);
        w.writeDate(45000.5);
        w.writeIdent("alClient");
        w.writeIdent("TRUE");
        w.writeIdent("False");
        w.writeIdent("nil");
        w.writeUtf8String("x\xF0\x9F\x98\x80");
        w.writeWideString(u"w\u2013");
        const std::vector<std::string> set{"akLeft", "akTop"};
        w.writeSet(set);
        const Bytes data{1, 2, 3};
        w.writeBinary(data);
        w.writeListBegin();
        w.writeInteger(5);
        w.writeValueType(TValueType::vaNull);
    });
    ObjectReader r(b);
    EXPECT_EQ(r.readFloat(), 0.25);
    EXPECT_EQ(r.readFloat(), -1e300);
    EXPECT_EQ(r.readFloat(), 1.5);
    EXPECT_EQ(r.peekValueType(), TValueType::vaCurrency);
    EXPECT_EQ(r.readFloat(), 12.34);
    EXPECT_EQ(r.readFloat(), 45000.5);
    EXPECT_EQ(r.readIdent(), "alClient");
    EXPECT_TRUE(r.readBoolean());
    EXPECT_FALSE(r.readBoolean());
    EXPECT_EQ(r.readIdent(), "nil");
    EXPECT_EQ(r.readString(), "x\xF0\x9F\x98\x80");
    EXPECT_EQ(r.readString(), "w\xE2\x80\x93");
    EXPECT_EQ(r.readSet(), (std::vector<std::string>{"akLeft", "akTop"}));
    EXPECT_EQ(r.readBinary(), (Bytes{1, 2, 3}));
    r.readListBegin();
    EXPECT_EQ(r.readInteger(), 5);
    EXPECT_TRUE(r.endOfList());
    r.readListEnd();
    EXPECT_TRUE(r.atEnd());
}

TEST(ObjectStream, ComponentHeadersAndCollectionsWithOrder)
{
    const Bytes b = written([](ObjectWriter &w) {
        w.writeSignature();
        ComponentHeader h;
        h.flags = ffInherited | ffChildPos;
        h.childPos = 300;
        h.className = "TTabItem";
        h.name = "TabItem1";
        w.writeComponentHeader(h);
        w.writeStr("Columns");
        w.writeCollectionBegin();
        w.writeItemBegin(2);
        w.writeStr("Width");
        w.writeInteger(64);
        w.writeListEnd();
        w.writeItemBegin();
        w.writeListEnd();
        w.writeListEnd(); // collection
        w.writeListEnd(); // properties
        ComponentHeader child;
        child.className = "TLabel";
        w.writeComponentHeader(child);
        w.writeListEnd();
        w.writeListEnd();
        w.writeListEnd(); // children
    });
    EXPECT_EQ(b[4], 0xF3) << "prefix byte: high nibble F, flags below";

    ObjectReader r(b);
    r.readSignature();
    const ComponentHeader h = r.readComponentHeader();
    EXPECT_TRUE(h.isInherited());
    EXPECT_FALSE(h.isInline());
    EXPECT_EQ(h.childPos, 300);
    EXPECT_EQ(h.className, "TTabItem");
    EXPECT_EQ(h.name, "TabItem1");
    EXPECT_EQ(r.readStr(), "Columns");
    r.readCollectionBegin();
    EXPECT_EQ(r.readItemBegin(), std::optional<std::int64_t>(2));
    EXPECT_EQ(r.readStr(), "Width");
    EXPECT_EQ(r.readInteger(), 64);
    r.readListEnd();
    EXPECT_EQ(r.readItemBegin(), std::nullopt);
    r.readListEnd();
    EXPECT_TRUE(r.endOfList());
    r.readListEnd();
    r.readListEnd();
    const ComponentHeader c = r.readComponentHeader();
    EXPECT_EQ(c.flags, 0);
    EXPECT_EQ(c.name, "");

    // The same stream skipped as a whole lands at its end.
    ObjectReader s(b);
    s.readSignature();
    s.skipComponent();
    EXPECT_TRUE(s.atEnd());
}

TEST(ObjectReader, ForgedLengthsFailBeforeAnyAllocation)
{
    // Lengths claiming up to 8 GiB behind a few bytes: each must fail at
    // once with a read error, not with bad_alloc or after reading garbage.
    const Bytes cases[] = {
        bytesOf({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), // long string
        bytesOf({18, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), // wide string: twice the count
        bytesOf({18, 0xF0, 0xFF, 0xFF, 0x7F}),
        bytesOf({20, 0xFF, 0xFF, 0xFF, 0xFF}),      // UTF-8 string
        bytesOf({10, 0xFF, 0xFF, 0xFF, 0xFF, 1}),   // binary
        bytesOf({6, 200, 'a'}),                     // short string
        bytesOf({11, 1, 'a', 9}),                   // set element
    };
    for (const Bytes &b : cases) {
        ObjectReader r(b);
        EXPECT_THROW(r.skipValue(), EReadError) << int(b[0]);
    }
}

TEST(ObjectReader, ErrorsCarryClearMessages)
{
    EXPECT_EQ(messageOf<EReadError>(bytesOf({3, 1}), [](ObjectReader &r) { r.readInteger(); }), msg::ReadBeyondEnd);
    EXPECT_EQ(messageOf<EReadError>(bytesOf({22}), [](ObjectReader &r) { r.skipValue(); }), "Ungültiger Werttyp 22");
    EXPECT_EQ(messageOf<EReadError>(bytesOf({6, 0}), [](ObjectReader &r) { r.readInteger(); }),
              msg::InvalidPropertyValue);
    EXPECT_EQ(messageOf<EFilerError>(bytesOf({'T', 'P', 'F'}), [](ObjectReader &r) { r.readSignature(); }),
              msg::InvalidStreamFormat);
    EXPECT_EQ(messageOf<EReadError>(bytesOf({1}), [](ObjectReader &r) { r.readListEnd(); }), msg::ListEndExpected);
}

TEST(ObjectReader, SkipsHundredThousandNestedListsWithoutRecursion)
{
    Bytes b(100000, 1); // vaList ...
    b.insert(b.end(), 100000, 0);
    ObjectReader r(b);
    r.skipValue();
    EXPECT_TRUE(r.atEnd());

    Bytes open(100000, 1); // never closed
    ObjectReader t(open);
    EXPECT_THROW(t.skipValue(), EReadError);
}

TEST(ObjectReader, EveryTruncationOfAStreamIsAReadError)
{
    const Bytes full = written([](ObjectWriter &w) {
        w.writeSignature();
        ComponentHeader h{ffChildPos, 1, "TForm", "F"};
        w.writeComponentHeader(h);
        w.writeStr("S");
        w.writeWideString(u"wide");
        w.writeStr("L");
        w.writeListBegin();
        w.writeExtended(1.0);
        w.writeCollectionBegin();
        w.writeItemBegin(1);
        w.writeStr("B");
        const Bytes data{1, 2};
        w.writeBinary(data);
        w.writeListEnd();
        w.writeListEnd();
        w.writeValueType(TValueType::vaNull);
        w.writeListEnd();
        w.writeListEnd();
    });
    for (std::size_t n = 0; n < full.size(); ++n) {
        ObjectReader r(full.data(), n);
        EXPECT_THROW(
            {
                r.readSignature();
                r.skipComponent();
            },
            EFilerError)
            << n;
    }
    ObjectReader r(full);
    r.readSignature();
    r.skipComponent();
    EXPECT_TRUE(r.atEnd());
}

TEST(ObjectReader, ReadsFromAMemoryStreamsPosition)
{
    TMemoryStream s(bytesOf({0xAA, 2, 7}));
    s.setPosition(1);
    ObjectReader r(s);
    EXPECT_EQ(r.readInteger(), 7);
    EXPECT_EQ(r.position(), 2u);
}

TEST(ObjectStream, LongClassNamesAreNotMistakenForAPrefix)
{
    // A length byte of 240 or more has the prefix's high nibble.
    for (std::size_t length : {239u, 240u, 255u}) {
        const ComponentHeader h{0, 0, std::string(length, 'C'), "N"};
        const Bytes b = written([&](ObjectWriter &w) { w.writeComponentHeader(h); });
        ObjectReader r(b);
        const ComponentHeader back = r.readComponentHeader();
        EXPECT_EQ(back.className, h.className) << length;
        EXPECT_EQ(back.name, "N");
        EXPECT_EQ(back.flags, 0);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(ObjectWriter, RefusesNamesThatDoNotFitAShortString)
{
    Bytes out;
    ObjectWriter w(out);
    EXPECT_THROW(w.writeStr(std::string(256, 'a')), EFilerError);
    EXPECT_NO_THROW(w.writeStr(std::string(255, 'a')));
}
