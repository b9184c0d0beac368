#include "objectstream.h"

#include "encoding.h"
#include "errors.h"
#include "extended.h"
#include "memorystream.h"

#include <bit>
#include <cstring>
#include <limits>

namespace vantor {

namespace {

[[noreturn]] void throwBadValue()
{
    throw EReadError(msg::InvalidPropertyValue);
}

bool isIntegerType(TValueType t)
{
    return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32
           || t == TValueType::vaInt64;
}

double doubleFromBits(std::uint64_t bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = char(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

bool hasStreamSignature(const std::uint8_t *data, std::size_t size)
{
    return size >= 4 && std::memcmp(data, kStreamSignature.data(), 4) == 0;
}

// ---------------------------------------------------------------- reader

ObjectReader::ObjectReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(data ? size : 0) {}

ObjectReader::ObjectReader(std::span<const std::uint8_t> bytes) : ObjectReader(bytes.data(), bytes.size()) {}

ObjectReader::ObjectReader(const TMemoryStream &stream)
    : ObjectReader(stream.data() + std::min(stream.position(), stream.size()), stream.remaining())
{
}

void ObjectReader::setPosition(std::size_t position)
{
    if (position > m_size)
        throwBeyondEnd();
    m_pos = position;
}

void ObjectReader::throwBeyondEnd()
{
    throw EReadError(msg::ReadBeyondEnd);
}

std::uint32_t ObjectReader::readUInt32()
{
    const std::uint8_t *p = need(4);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint64_t ObjectReader::readUInt64()
{
    const std::uint8_t *p = need(8);
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

void ObjectReader::readSignature()
{
    if (!hasStreamSignature(m_data + m_pos, m_size - m_pos))
        throw EFilerError(msg::InvalidStreamFormat);
    m_pos += 4;
}

ObjectReader::HeaderView ObjectReader::readComponentHeaderView()
{
    HeaderView h;
    if (m_pos < m_size && (m_data[m_pos] & 0xF0) == 0xF0) {
        h.flags = std::uint8_t(readByte() & 0x0F);
        if (h.flags & ffChildPos)
            h.childPos = readInteger();
    }
    h.className = readStrView();
    h.name = readStrView();
    return h;
}

ComponentHeader ObjectReader::readComponentHeader()
{
    const HeaderView v = readComponentHeaderView();
    ComponentHeader h;
    h.flags = v.flags;
    h.childPos = v.childPos;
    h.className = v.className;
    h.name = v.name;
    return h;
}

void ObjectReader::readListEnd()
{
    if (readByte() != 0)
        throw EReadError(msg::ListEndExpected);
}

std::string ObjectReader::readStr()
{
    return std::string(readStrView());
}

TValueType ObjectReader::readUnknownValueType()
{
    // At the end, or a code beyond the last type; the position stays on it.
    const std::uint8_t code = *need(1);
    --m_pos;
    throw EReadError(formatMessage(msg::UnknownValueType, {}, code));
}

TValueType ObjectReader::peekValueType() const
{
    if (m_pos >= m_size)
        throwBeyondEnd();
    const std::uint8_t code = m_data[m_pos];
    if (code > kLastValueType)
        throw EReadError(formatMessage(msg::UnknownValueType, {}, code));
    return TValueType(code);
}

std::int64_t ObjectReader::readInteger()
{
    return readIntegerData(readValueType());
}

std::int64_t ObjectReader::readIntegerData(TValueType type)
{
    switch (type) {
    case TValueType::vaInt8: return std::int8_t(readByte());
    case TValueType::vaInt16: {
        const std::uint8_t *p = need(2);
        return std::int16_t(std::uint16_t(p[0] | p[1] << 8));
    }
    case TValueType::vaInt32: return std::int32_t(readUInt32());
    case TValueType::vaInt64: return std::int64_t(readUInt64());
    default: throwBadValue();
    }
}

double ObjectReader::readFloat()
{
    return readFloatData(readValueType());
}

double ObjectReader::readFloatData(TValueType type)
{
    switch (type) {
    case TValueType::vaExtended: return extendedToDouble(need(10));
    case TValueType::vaDouble:
    case TValueType::vaDate: return doubleFromBits(readUInt64());
    case TValueType::vaSingle: {
        const std::uint32_t bits = readUInt32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    case TValueType::vaCurrency: return double(readCurrencyData()) / 10000.0;
    default:
        if (isIntegerType(type))
            return double(readIntegerData(type));
        throwBadValue();
    }
}

std::int64_t ObjectReader::readCurrencyData()
{
    return std::int64_t(readUInt64());
}

RawString ObjectReader::readRawString()
{
    return readRawStringData(readValueType());
}

RawString ObjectReader::readRawStringData(TValueType type)
{
    std::uint64_t len = 0;
    switch (type) {
    case TValueType::vaString: len = readByte(); break;
    case TValueType::vaLString:
    case TValueType::vaUTF8String: len = readUInt32(); break;
    case TValueType::vaWString: len = std::uint64_t(readUInt32()) * 2; break;
    default: throwBadValue();
    }
    if (len > remaining())
        throwBeyondEnd();
    const auto *p = reinterpret_cast<const char *>(need(std::size_t(len)));
    return {type, std::string_view(p, std::size_t(len))};
}

std::string ObjectReader::readString()
{
    return readStringData(readValueType());
}

std::string ObjectReader::readStringData(TValueType type)
{
    const RawString raw = readRawStringData(type);
    switch (raw.type) {
    case TValueType::vaWString: {
        std::u16string units(raw.bytes.size() / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = char16_t(std::uint8_t(raw.bytes[2 * i]) | std::uint8_t(raw.bytes[2 * i + 1]) << 8);
        return enc::utf16ToUtf8(units);
    }
    case TValueType::vaUTF8String: return std::string(raw.bytes);
    default: return enc::isAscii(raw.bytes) ? std::string(raw.bytes) : enc::ansiToUtf8(raw.bytes);
    }
}

std::string ObjectReader::readIdent()
{
    return readIdentData(readValueType());
}

std::string ObjectReader::readIdentData(TValueType type)
{
    switch (type) {
    case TValueType::vaIdent: return readStr();
    case TValueType::vaFalse: return "False";
    case TValueType::vaTrue: return "True";
    case TValueType::vaNil: return "nil";
    case TValueType::vaNull: return "Null";
    default: throwBadValue();
    }
}

bool ObjectReader::readBoolean()
{
    switch (readValueType()) {
    case TValueType::vaFalse: return false;
    case TValueType::vaTrue: return true;
    default: throwBadValue();
    }
}

std::vector<std::uint8_t> ObjectReader::readBinary()
{
    if (readValueType() != TValueType::vaBinary)
        throwBadValue();
    const auto data = readBinaryData();
    return {data.begin(), data.end()};
}

std::span<const std::uint8_t> ObjectReader::readBinaryData()
{
    const std::uint32_t len = readUInt32();
    return {need(len), len};
}

std::vector<std::string> ObjectReader::readSet()
{
    if (readValueType() != TValueType::vaSet)
        throwBadValue();
    return readSetData();
}

std::vector<std::string> ObjectReader::readSetData()
{
    std::vector<std::string> elements;
    for (;;) {
        std::string_view s = readStrView();
        if (s.empty())
            return elements;
        elements.emplace_back(s);
    }
}

void ObjectReader::readListBegin()
{
    if (readValueType() != TValueType::vaList)
        throwBadValue();
}

void ObjectReader::readCollectionBegin()
{
    if (readValueType() != TValueType::vaCollection)
        throwBadValue();
}

std::optional<std::int64_t> ObjectReader::readItemBegin()
{
    std::optional<std::int64_t> order;
    TValueType t = readValueType();
    if (isIntegerType(t)) {
        order = readIntegerData(t);
        t = readValueType();
    }
    if (t != TValueType::vaList)
        throwBadValue();
    return order;
}

void ObjectReader::skipValue()
{
    skipValueData(readValueType());
}

void ObjectReader::skipValueData(TValueType first)
{
    // Open containers: 'L' a list (values up to vaNull), 'C' a collection
    // (items up to vaNull), 'I' an item (properties up to a zero byte).
    std::vector<char> open;
    TValueType type = first;
    bool haveType = true;
    for (;;) {
        if (haveType) {
            switch (type) {
            case TValueType::vaNull:
            case TValueType::vaFalse:
            case TValueType::vaTrue:
            case TValueType::vaNil: break;
            case TValueType::vaList: open.push_back('L'); break;
            case TValueType::vaCollection: open.push_back('C'); break;
            case TValueType::vaInt8: need(1); break;
            case TValueType::vaInt16: need(2); break;
            case TValueType::vaInt32:
            case TValueType::vaSingle: need(4); break;
            case TValueType::vaInt64:
            case TValueType::vaCurrency:
            case TValueType::vaDate:
            case TValueType::vaDouble: need(8); break;
            case TValueType::vaExtended: need(10); break;
            case TValueType::vaString:
            case TValueType::vaLString:
            case TValueType::vaWString:
            case TValueType::vaUTF8String: readRawStringData(type); break;
            case TValueType::vaIdent: readStrView(); break;
            case TValueType::vaBinary: readBinaryData(); break;
            case TValueType::vaSet:
                while (!readStrView().empty()) {
                }
                break;
            }
            haveType = false;
        }
        if (open.empty())
            return;
        switch (open.back()) {
        case 'L':
            if (peekValueType() == TValueType::vaNull) {
                ++m_pos;
                open.pop_back();
            } else {
                type = readValueType();
                haveType = true;
            }
            break;
        case 'C':
            if (endOfList()) {
                ++m_pos;
                open.pop_back();
            } else {
                readItemBegin();
                open.push_back('I');
            }
            break;
        default: // item
            if (endOfList()) {
                ++m_pos;
                open.pop_back();
            } else {
                readStrView();
                type = readValueType();
                haveType = true;
            }
            break;
        }
    }
}

void ObjectReader::skipProperty()
{
    readStrView();
    skipValue();
}

void ObjectReader::skipComponent(bool headerRead)
{
    if (!headerRead)
        readComponentHeader();
    // Per open component: false while in its properties, true in its children.
    std::vector<bool> open{false};
    while (!open.empty()) {
        if (endOfList()) {
            ++m_pos;
            if (open.back())
                open.pop_back();
            else
                open.back() = true;
        } else if (!open.back()) {
            skipProperty();
        } else {
            readComponentHeader();
            open.push_back(false);
        }
    }
}

// ---------------------------------------------------------------- writer

void ObjectWriter::writeBytes(const void *data, std::size_t count)
{
    const auto *p = static_cast<const std::uint8_t *>(data);
    m_out.insert(m_out.end(), p, p + count);
}

void ObjectWriter::writeUInt16(std::uint16_t v)
{
    const std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
    writeBytes(b, 2);
}

void ObjectWriter::writeUInt32(std::uint32_t v)
{
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    writeBytes(b, 4);
}

void ObjectWriter::writeUInt64(std::uint64_t v)
{
    std::uint8_t b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = std::uint8_t(v >> (8 * i));
    writeBytes(b, 8);
}

void ObjectWriter::writeSignature()
{
    writeBytes(kStreamSignature.data(), kStreamSignature.size());
}

void ObjectWriter::writeComponentHeader(const ComponentHeader &header)
{
    // A class name of 240 bytes or more starts with a length byte that reads
    // as a prefix; a prefix without flags keeps such a name readable.
    if (header.flags != 0 || header.className.size() >= 0xF0) {
        writeByte(std::uint8_t(0xF0 | (header.flags & 0x0F)));
        if (header.flags & ffChildPos)
            writeInteger(header.childPos);
    }
    writeStr(header.className);
    writeStr(header.name);
}

void ObjectWriter::writeListEnd()
{
    writeByte(0);
}

void ObjectWriter::writeStr(std::string_view bytes)
{
    if (bytes.size() > 255)
        throw EFilerError(formatMessage(msg::NameTooLong, std::string(bytes.substr(0, 64))));
    writeByte(std::uint8_t(bytes.size()));
    writeBytes(bytes.data(), bytes.size());
}

void ObjectWriter::writeValueType(TValueType type)
{
    writeByte(std::uint8_t(type));
}

void ObjectWriter::writeInteger(std::int64_t value)
{
    if (value >= -128 && value <= 127) {
        writeValueType(TValueType::vaInt8);
        writeByte(std::uint8_t(value));
    } else if (value >= -32768 && value <= 32767) {
        writeValueType(TValueType::vaInt16);
        writeUInt16(std::uint16_t(value));
    } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
        writeValueType(TValueType::vaInt32);
        writeUInt32(std::uint32_t(value));
    } else {
        writeValueType(TValueType::vaInt64);
        writeUInt64(std::uint64_t(value));
    }
}

void ObjectWriter::writeExtended(double value)
{
    writeExtendedBytes(doubleToExtended(value).data());
}

void ObjectWriter::writeExtendedBytes(const std::uint8_t *tenBytes)
{
    writeValueType(TValueType::vaExtended);
    writeBytes(tenBytes, 10);
}

void ObjectWriter::writeDouble(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeValueType(TValueType::vaDouble);
    writeUInt64(bits);
}

void ObjectWriter::writeSingle(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeValueType(TValueType::vaSingle);
    writeUInt32(bits);
}

void ObjectWriter::writeCurrency(std::int64_t valueTimes10000)
{
    writeValueType(TValueType::vaCurrency);
    writeUInt64(std::uint64_t(valueTimes10000));
}

void ObjectWriter::writeDate(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeValueType(TValueType::vaDate);
    writeUInt64(bits);
}

void ObjectWriter::writeString(std::string_view utf8)
{
    if (enc::isAscii(utf8)) {
        writeAnsiString(utf8);
        return;
    }
    const std::string ansi = enc::utf8ToAnsi(utf8);
    if (enc::ansiToUtf8(ansi) == utf8)
        writeAnsiString(ansi);
    else
        writeWideString(enc::utf8ToUtf16(utf8));
}

void ObjectWriter::writeAnsiString(std::string_view bytes)
{
    if (bytes.size() <= 255) {
        writeValueType(TValueType::vaString);
        writeByte(std::uint8_t(bytes.size()));
    } else {
        if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
            throw EFilerError(msg::InvalidPropertyValue);
        writeValueType(TValueType::vaLString);
        writeUInt32(std::uint32_t(bytes.size()));
    }
    writeBytes(bytes.data(), bytes.size());
}

void ObjectWriter::writeWideString(std::u16string_view text)
{
    if (text.size() > std::numeric_limits<std::uint32_t>::max() / 2)
        throw EFilerError(msg::InvalidPropertyValue);
    writeValueType(TValueType::vaWString);
    writeUInt32(std::uint32_t(text.size()));
    const std::size_t at = m_out.size();
    m_out.resize(at + text.size() * 2);
    if constexpr (std::endian::native == std::endian::little) {
        if (!text.empty())
            std::memcpy(&m_out[at], text.data(), text.size() * 2);
    } else {
        for (std::size_t i = 0; i < text.size(); ++i) {
            m_out[at + 2 * i] = std::uint8_t(text[i]);
            m_out[at + 2 * i + 1] = std::uint8_t(text[i] >> 8);
        }
    }
}

void ObjectWriter::writeUtf8String(std::string_view utf8)
{
    if (utf8.size() > std::numeric_limits<std::uint32_t>::max())
        throw EFilerError(msg::InvalidPropertyValue);
    writeValueType(TValueType::vaUTF8String);
    writeUInt32(std::uint32_t(utf8.size()));
    writeBytes(utf8.data(), utf8.size());
}

void ObjectWriter::writeIdent(std::string_view ident)
{
    if (equalsIgnoringAsciiCase(ident, "True"))
        writeValueType(TValueType::vaTrue);
    else if (equalsIgnoringAsciiCase(ident, "False"))
        writeValueType(TValueType::vaFalse);
    else if (equalsIgnoringAsciiCase(ident, "nil"))
        writeValueType(TValueType::vaNil);
    else {
        writeValueType(TValueType::vaIdent);
        writeStr(ident);
    }
}

void ObjectWriter::writeBoolean(bool value)
{
    writeValueType(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void ObjectWriter::writeNil()
{
    writeValueType(TValueType::vaNil);
}

void ObjectWriter::writeBinary(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw EFilerError(msg::InvalidPropertyValue);
    writeValueType(TValueType::vaBinary);
    writeUInt32(std::uint32_t(bytes.size()));
    writeBytes(bytes.data(), bytes.size());
}

void ObjectWriter::writeSet(std::span<const std::string> elements)
{
    writeValueType(TValueType::vaSet);
    for (const std::string &e : elements) {
        if (e.empty())
            throw EFilerError(msg::InvalidPropertyValue); // would end the set early
        writeStr(e);
    }
    writeByte(0);
}

void ObjectWriter::writeListBegin()
{
    writeValueType(TValueType::vaList);
}

void ObjectWriter::writeCollectionBegin()
{
    writeValueType(TValueType::vaCollection);
}

void ObjectWriter::writeItemBegin(std::optional<std::int64_t> order)
{
    if (order)
        writeInteger(*order);
    writeValueType(TValueType::vaList);
}

} // namespace vantor
