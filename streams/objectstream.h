#pragma once

#include "valuetypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The binary form stream as bytes: ObjectReader decodes it, ObjectWriter
// writes it. Neither knows what a property means; building components from
// the values is the business of the framework's reader.
namespace vantor {

class TMemoryStream;

// Deepest nesting of components, lists, collections and collection items the
// conversions accept. Real forms stay far below; the bound keeps a forged
// stream from exhausting the stack or blowing up the indented text.
inline constexpr int kMaxNestingDepth = 1000;

// The four bytes every binary form stream starts with.
inline constexpr std::string_view kStreamSignature = "TPF0";

namespace msg {
inline constexpr const char *UnknownValueType = "Ungültiger Werttyp %d"; // the type code
inline constexpr const char *NestingTooDeep = "Verschachtelung zu tief";
inline constexpr const char *ListEndExpected = "Listenende erwartet";
inline constexpr const char *NameTooLong = "Name zu lang: %s"; // short strings hold 255 bytes
inline constexpr const char *UnreadableName = "Ungültiger Name: %s"; // not writable as a name in the text form
} // namespace msg

// What precedes a component's properties.
struct ComponentHeader
{
    std::uint8_t flags = 0;     // TFilerFlag bits of the prefix byte; 0 = no prefix
    std::int64_t childPos = 0;  // meaningful only with ffChildPos
    std::string className;      // bytes as stored (UTF-8 when not ASCII)
    std::string name;           // empty for an unnamed component

    bool isInherited() const { return flags & ffInherited; }
    bool isInline() const { return flags & ffInline; }
    bool hasChildPos() const { return flags & ffChildPos; }
};

// A string value as stored: its value type and the bytes after the length.
// For vaWString the bytes are the UTF-16 little-endian code units. The view
// points into the reader's buffer.
struct RawString
{
    TValueType type = TValueType::vaString;
    std::string_view bytes;

    // Characters as the stream counts them: bytes, or code units for vaWString.
    std::size_t length() const { return type == TValueType::vaWString ? bytes.size() / 2 : bytes.size(); }
};

// Decodes a binary form stream held in a byte range, which must outlive the
// reader. Every read checks the bytes that remain before it trusts a length,
// so a damaged stream raises EReadError and never allocates more than the
// range holds. Nothing here recurses.
class ObjectReader
{
public:
    ObjectReader(const std::uint8_t *data, std::size_t size);
    explicit ObjectReader(std::span<const std::uint8_t> bytes);
    // Reads the stream's bytes from its current position on. The stream is
    // not moved; callers that go on with it add position() to where they began.
    explicit ObjectReader(const TMemoryStream &stream);

    std::size_t position() const { return m_pos; } // offset into the range
    void setPosition(std::size_t position);          // EReadError beyond the end
    std::size_t size() const { return m_size; }
    std::size_t remaining() const { return m_size - m_pos; }
    bool atEnd() const { return m_pos >= m_size; }

    // "TPF0", else EFilerError "Ungültiges Stream-Format".
    void readSignature();

    // Optional prefix (flags, child position), class name and component name.
    ComponentHeader readComponentHeader();
    // The same with the names as views into the range, for readers that
    // only pass them on.
    struct HeaderView
    {
        std::uint8_t flags = 0;
        std::int64_t childPos = 0;
        std::string_view className;
        std::string_view name;
    };
    HeaderView readComponentHeaderView();

    // True when the next byte is the zero that ends properties, children, a
    // list, a collection or an item; EReadError at the end of the range.
    bool endOfList() const
    {
        if (m_pos >= m_size)
            throwBeyondEnd();
        return m_data[m_pos] == 0;
    }
    // Consumes that zero; EReadError when the next byte is not zero.
    void readListEnd();

    // Short string: a length byte, then that many bytes.
    std::string readStr();
    std::string_view readStrView()
    {
        const std::size_t len = readByte();
        return {reinterpret_cast<const char *>(need(len)), len};
    }

    TValueType readValueType() // EReadError for an unknown code
    {
        if (m_pos < m_size && m_data[m_pos] <= kLastValueType)
            return TValueType(m_data[m_pos++]);
        return readUnknownValueType();
    }
    TValueType peekValueType() const;

    // Typed readers. The plain form reads the type byte and the data; the
    // ...Data form takes a type byte already read. A type that does not fit
    // raises EReadError "Ungültiger Eigenschaftswert".
    std::int64_t readInteger(); // vaInt8/16/32/64
    std::int64_t readIntegerData(TValueType type);
    // vaExtended, vaDouble, vaSingle, vaDate, vaCurrency (scaled back), and integers.
    double readFloat();
    double readFloatData(TValueType type);
    // vaCurrency as stored: the value times 10000.
    std::int64_t readCurrencyData();
    // Every string type to UTF-8: vaString and vaLString hold Windows-1252
    // bytes, vaWString UTF-16, vaUTF8String UTF-8.
    std::string readString();
    std::string readStringData(TValueType type);
    RawString readRawString();
    RawString readRawStringData(TValueType type);
    // vaIdent as stored; vaFalse, vaTrue, vaNil and vaNull as "False", "True", "nil", "Null".
    std::string readIdent();
    std::string readIdentData(TValueType type);
    bool readBoolean(); // vaFalse, vaTrue
    std::vector<std::uint8_t> readBinary();
    std::span<const std::uint8_t> readBinaryData(); // after vaBinary; view into the range
    std::vector<std::string> readSet();
    std::vector<std::string> readSetData(); // after vaSet
    void readListBegin();       // vaList
    void readCollectionBegin(); // vaCollection
    // Starts a collection item: its optional order value and the vaList.
    // Check endOfList() first; the item's properties end with readListEnd().
    std::optional<std::int64_t> readItemBegin();

    // Skip without interpreting; iterative, so nesting depth costs no stack.
    void skipValue();
    void skipValueData(TValueType type);
    void skipProperty(); // name and value
    // A whole component with its properties and children; the header is read
    // here unless the caller has read it already.
    void skipComponent(bool headerRead = false);

private:
    // The checks of the hot readers are here so that the conversions inline
    // them; the throws are out of line.
    const std::uint8_t *need(std::size_t count) // EReadError when fewer remain
    {
        if (count > m_size - m_pos)
            throwBeyondEnd();
        const std::uint8_t *p = m_data + m_pos;
        m_pos += count;
        return p;
    }
    std::uint8_t readByte() { return *need(1); }
    [[noreturn]] static void throwBeyondEnd();
    [[noreturn]] TValueType readUnknownValueType();
    std::uint32_t readUInt32();
    std::uint64_t readUInt64();

    const std::uint8_t *m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
};

// Writes a binary form stream by appending to a byte buffer. Integers take
// the smallest type that holds them.
class ObjectWriter
{
public:
    explicit ObjectWriter(std::vector<std::uint8_t> &out) : m_out(out) {}

    std::vector<std::uint8_t> &buffer() { return m_out; }

    void writeSignature();
    // The prefix byte is written when flags is not 0 or the class name is so
    // long that its length byte would pass for a prefix; the child position
    // follows with ffChildPos.
    void writeComponentHeader(const ComponentHeader &header);
    void writeListEnd(); // the zero that ends properties, children, lists, collections, items

    void writeStr(std::string_view bytes); // short string; EFilerError beyond 255 bytes
    void writeValueType(TValueType type);

    void writeInteger(std::int64_t value); // vaInt8, vaInt16, vaInt32 or vaInt64
    void writeExtended(double value);
    void writeExtendedBytes(const std::uint8_t *tenBytes);
    void writeDouble(double value);
    void writeSingle(float value);
    void writeCurrency(std::int64_t valueTimes10000);
    void writeDate(double value);
    // vaString/vaLString with Windows-1252 bytes when that code page holds
    // every character, else vaWString.
    void writeString(std::string_view utf8);
    void writeAnsiString(std::string_view bytes); // vaString up to 255 bytes, else vaLString
    void writeWideString(std::u16string_view text);
    void writeUtf8String(std::string_view utf8);
    // vaIdent; "True", "False" and "nil" (any case) become vaTrue, vaFalse, vaNil.
    void writeIdent(std::string_view ident);
    void writeBoolean(bool value);
    void writeNil();
    void writeBinary(std::span<const std::uint8_t> bytes);
    void writeSet(std::span<const std::string> elements);
    void writeListBegin();
    void writeCollectionBegin();
    // An item's optional order value and the vaList; end it with writeListEnd().
    void writeItemBegin(std::optional<std::int64_t> order = std::nullopt);

    // Little-endian raw data, for callers that compose values themselves.
    void writeByte(std::uint8_t b) { m_out.push_back(b); }
    void writeUInt16(std::uint16_t v);
    void writeUInt32(std::uint32_t v);
    void writeUInt64(std::uint64_t v);
    void writeBytes(const void *data, std::size_t count);

private:
    std::vector<std::uint8_t> &m_out;
};

// True when the range begins with "TPF0".
bool hasStreamSignature(const std::uint8_t *data, std::size_t size);

} // namespace vantor
