#include "binarytotext.h"

#include "encoding.h"
#include "errors.h"
#include "memorystream.h"
#include "objectstream.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace vantor {

namespace {

constexpr std::size_t kStringPiece = 64; // characters of a string per line
constexpr std::size_t kBinaryPiece = 32; // bytes of binary data per line

void appendInt(std::string &out, std::int64_t v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// "inf"/"nan" in the spellings the framework writes; the text syntax has no
// number form for them.
bool appendNonFinite(std::string &out, double value)
{
    if (std::isnan(value)) {
        out += "NAN";
        return true;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return true;
    }
    return false;
}

// Exponent form as the framework writes it from significant digits:
// "1.5E-20", "1E20".
void appendExponentForm(std::string &out, std::string_view digits, int exponent, bool negative)
{
    if (negative)
        out += '-';
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out.append(digits.substr(1));
    }
    out += 'E';
    appendInt(out, exponent);
}

// Rounds a finite value to `precision` + 1 significant digits and splits it
// into sign, digits (trailing zeros removed, at least one) and decimal
// exponent, from to_chars' scientific output "-d.ddddde+XX". The digits are
// kept in `buffer`.
std::string_view decompose(double value, int precision, bool &negative, int &exponent, char (&buffer)[32])
{
    char buf[64];
    const char *begin = buf;
    const char *end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision).ptr;
    negative = *begin == '-';
    if (negative)
        ++begin;
    std::size_t n = 0;
    const char *p = begin;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.' && n < sizeof buffer)
            buffer[n++] = *p;
    exponent = 0;
    if (p < end)
        std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    while (n > 1 && buffer[n - 1] == '0')
        --n;
    return {buffer, n};
}

constexpr std::string_view kEighteenZeros = "000000000000000000";

// The fixed form of an extended or double, appended to out.
void appendFixedFloat(std::string &out, double value)
{
    if (appendNonFinite(out, value))
        return;
    // Whole numbers below 10^15 (most sizes and positions of a form) have
    // all their digits in the integer part.
    if (value != 0 && value == std::trunc(value) && std::fabs(value) < 1e15) {
        appendInt(out, std::int64_t(value));
        out += '.';
        out += kEighteenZeros;
        return;
    }
    bool negative = false;
    int exponent = 0;
    char buffer[32];
    const std::string_view digits = decompose(value, 15, negative, exponent, buffer);
    const bool zero = digits == "0";
    // A digit at index i stands at decimal place i - exponent (1 = tenths).
    if (!zero && int(digits.size()) - 1 - exponent > 18) {
        // Fixed notation would cut significant digits off the end.
        appendExponentForm(out, digits, exponent, negative);
        return;
    }
    if (negative)
        out += '-';
    if (zero || exponent < 0) {
        out += "0.";
        std::size_t written = 0;
        if (!zero) {
            out.append(std::size_t(-exponent - 1), '0');
            written = std::size_t(-exponent - 1);
            out += digits;
            written += digits.size();
        }
        out.append(18 - written, '0');
        return;
    }
    const std::size_t intLen = std::size_t(exponent) + 1;
    if (digits.size() <= intLen) {
        out += digits;
        out.append(intLen - digits.size(), '0');
        out += '.';
        out += kEighteenZeros;
    } else {
        out.append(digits.substr(0, intLen));
        out += '.';
        out.append(digits.substr(intLen));
        out.append(18 - (digits.size() - intLen), '0');
    }
}

// The general form of a single or date, appended to out.
void appendGeneralFloat(std::string &out, double value)
{
    if (appendNonFinite(out, value))
        return;
    bool negative = false;
    int exponent = 0;
    char buffer[32];
    const std::string_view digits = decompose(value, 14, negative, exponent, buffer);
    if (digits == "0") {
        out += negative ? "-0" : "0";
        return;
    }
    if (exponent < -4 || exponent >= 15) {
        appendExponentForm(out, digits, exponent, negative);
        return;
    }
    if (negative)
        out += '-';
    if (exponent < 0) {
        out += "0.";
        out.append(std::size_t(-exponent - 1), '0');
        out += digits;
        return;
    }
    const std::size_t intLen = std::size_t(exponent) + 1;
    if (digits.size() <= intLen) {
        out += digits;
        out.append(intLen - digits.size(), '0');
    } else {
        out.append(digits.substr(0, intLen));
        out += '.';
        out.append(digits.substr(intLen));
    }
}

} // namespace

std::string formatFixedFloat(double value)
{
    std::string out;
    appendFixedFloat(out, value);
    return out;
}

std::string formatGeneralFloat(double value)
{
    std::string out;
    appendGeneralFloat(out, value);
    return out;
}

std::string formatCurrency(std::int64_t valueTimes10000)
{
    std::string out;
    std::uint64_t magnitude = valueTimes10000 < 0 ? 0 - std::uint64_t(valueTimes10000) : std::uint64_t(valueTimes10000);
    if (valueTimes10000 < 0)
        out += '-';
    out += std::to_string(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[5] = {};
        for (int i = 3; i >= 0; --i) {
            digits[i] = char('0' + fraction % 10);
            fraction /= 10;
        }
        int len = 4;
        while (digits[len - 1] == '0')
            --len;
        out += '.';
        out.append(digits, std::size_t(len));
    }
    return out;
}

namespace {

class TextWriter
{
public:
    TextWriter(std::span<const std::uint8_t> stream, bool utf8Text) : m_reader(stream), m_utf8Text(utf8Text)
    {
        // Text is about twice the stream; hex data with its line breaks a bit more.
        m_out.reserve(stream.size() / 2 * 5 + 64);
    }

    std::string &text() { return m_out; }
    bool hasNonAsciiName() const { return m_nonAsciiName; }
    bool hasRawHighBytes() const { return m_rawHighBytes; }

    void run()
    {
        m_reader.readSignature();
        writeComponent(0);
        while (!m_stack.empty())
            step();
        m_out += "\r\n";
    }

private:
    // Open parts of the stream, innermost last.
    enum class Kind : std::uint8_t {
        Properties, // a component's properties, up to a zero byte
        Children,   // a component's children, up to a zero byte
        List,       // values up to vaNull
        Collection, // items up to vaNull
        Item,       // a collection item's properties, up to a zero byte
    };
    struct Frame
    {
        Kind kind;
        int level; // indentation of the line that opened it
    };

    void push(Kind kind, int level)
    {
        if (m_stack.size() >= std::size_t(kMaxNestingDepth))
            throw EReadError(msg::NestingTooDeep);
        m_stack.push_back({kind, level});
    }

    void line(int level)
    {
        if (m_started)
            m_out += "\r\n";
        m_started = true;
        m_out.append(std::size_t(level) * 2, ' ');
    }

    // Names, identifiers and set elements go into the text as they stand, so
    // they must be what the text syntax reads back: a name (letters, digits,
    // "_", ".", any non-ASCII byte; not starting with a digit or dot), or for
    // set elements also a whole number. Anything else is a damaged stream.
    void appendName(std::string_view name, bool numberAllowed = false)
    {
        bool nonAscii = false;
        if (!isReadableName(name, numberAllowed, nonAscii)) {
            std::string shown(name.substr(0, 64));
            for (char &c : shown)
                if (static_cast<unsigned char>(c) < 32)
                    c = '?';
            throw EReadError(formatMessage(msg::UnreadableName, shown));
        }
        if (nonAscii)
            m_nonAsciiName = true;
        m_out += name;
    }

    // nonAscii is set when a readable name holds a byte above 127.
    static bool isReadableName(std::string_view name, bool numberAllowed, bool &nonAscii)
    {
        // Per byte: 1 letter (or "_", or any byte above 127), 2 digit, 4 ".".
        static constexpr auto kind = [] {
            std::array<std::uint8_t, 256> t{};
            for (int c = 0; c < 256; ++c) {
                if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
                    t[c] = 1;
                else if (c >= '0' && c <= '9')
                    t[c] = 2;
                else if (c == '.')
                    t[c] = 4;
            }
            return t;
        }();
        if (name.empty())
            return false;
        const auto first = static_cast<unsigned char>(name[0]);
        if (numberAllowed && (kind[first] == 2 || first == '-')) {
            if (name.size() == 1 && first == '-')
                return false;
            for (std::size_t i = 1; i < name.size(); ++i)
                if (kind[static_cast<unsigned char>(name[i])] != 2)
                    return false;
            return true;
        }
        if (kind[first] != 1)
            return false;
        unsigned char seen = 0;
        std::uint8_t all = 7;
        for (char ch : name) {
            const auto c = static_cast<unsigned char>(ch);
            all &= kind[c] ? 7 : 0;
            seen |= c;
        }
        if (!all)
            return false;
        nonAscii = seen >= 0x80;
        return true;
    }

    void writeComponent(int level)
    {
        const ComponentHeader h = m_reader.readComponentHeader();
        line(level);
        if (h.isInherited())
            m_out += "inherited ";
        else if (h.isInline())
            m_out += "inline ";
        else
            m_out += "object ";
        if (!h.name.empty()) {
            appendName(h.name);
            m_out += ": ";
        }
        appendName(h.className);
        if (h.hasChildPos()) {
            m_out += " [";
            appendInt(m_out, h.childPos);
            m_out += ']';
        }
        push(Kind::Properties, level);
    }

    void writeProperty(int level)
    {
        line(level);
        appendName(m_reader.readStrView());
        m_out += " = ";
        writeValue(m_reader.readValueType(), level);
    }

    void step()
    {
        Frame &f = m_stack.back();
        const int level = f.level;
        switch (f.kind) {
        case Kind::Properties:
            if (m_reader.endOfList()) {
                m_reader.readListEnd();
                f.kind = Kind::Children;
            } else {
                writeProperty(level + 1);
            }
            break;
        case Kind::Children:
            if (m_reader.endOfList()) {
                m_reader.readListEnd();
                m_stack.pop_back();
                line(level);
                m_out += "end";
            } else {
                writeComponent(level + 1);
            }
            break;
        case Kind::List: {
            const TValueType t = m_reader.readValueType();
            if (t == TValueType::vaNull) {
                m_stack.pop_back();
                m_out += ')';
            } else {
                line(level + 1);
                writeValue(t, level + 1);
            }
            break;
        }
        case Kind::Collection:
            if (m_reader.endOfList()) {
                m_reader.readListEnd();
                m_stack.pop_back();
                m_out += '>';
            } else {
                const std::optional<std::int64_t> order = m_reader.readItemBegin();
                line(level + 1);
                m_out += "item";
                if (order) {
                    m_out += " [";
                    appendInt(m_out, *order);
                    m_out += ']';
                }
                push(Kind::Item, level + 1);
            }
            break;
        case Kind::Item:
            if (m_reader.endOfList()) {
                m_reader.readListEnd();
                m_stack.pop_back();
                line(level);
                m_out += "end";
            } else {
                writeProperty(level + 1);
            }
            break;
        }
    }

    // level: indentation of the line the value starts on.
    void writeValue(TValueType type, int level)
    {
        switch (type) {
        case TValueType::vaList:
            m_out += '(';
            push(Kind::List, level);
            break;
        case TValueType::vaCollection:
            m_out += '<';
            push(Kind::Collection, level);
            break;
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64: appendInt(m_out, m_reader.readIntegerData(type)); break;
        case TValueType::vaExtended:
        case TValueType::vaDouble: appendFixedFloat(m_out, m_reader.readFloatData(type)); break;
        case TValueType::vaSingle:
            appendGeneralFloat(m_out, m_reader.readFloatData(type));
            m_out += 's';
            break;
        case TValueType::vaDate:
            appendGeneralFloat(m_out, m_reader.readFloatData(type));
            m_out += 'd';
            break;
        case TValueType::vaCurrency:
            m_out += formatCurrency(m_reader.readCurrencyData());
            m_out += 'c';
            break;
        case TValueType::vaString:
        case TValueType::vaLString:
        case TValueType::vaWString:
        case TValueType::vaUTF8String: writeString(m_reader.readRawStringData(type), level); break;
        case TValueType::vaIdent: appendName(m_reader.readStrView()); break;
        case TValueType::vaFalse: m_out += "False"; break;
        case TValueType::vaTrue: m_out += "True"; break;
        case TValueType::vaNil: m_out += "nil"; break;
        case TValueType::vaNull: m_out += "Null"; break;
        case TValueType::vaSet: {
            m_out += '[';
            bool first = true;
            for (;;) {
                const std::string_view e = m_reader.readStrView();
                if (e.empty())
                    break;
                if (!first)
                    m_out += ", ";
                first = false;
                appendName(e, true);
            }
            m_out += ']';
            break;
        }
        case TValueType::vaBinary: writeBinary(m_reader.readBinaryData(), level); break;
        }
    }

    void writeBinary(std::span<const std::uint8_t> data, int level)
    {
        static constexpr char hex[] = "0123456789ABCDEF";
        const bool ownLines = data.size() >= kBinaryPiece;
        m_out += '{';
        char piece[2 * kBinaryPiece];
        for (std::size_t from = 0; from < data.size(); from += kBinaryPiece) {
            if (ownLines) {
                m_out += "\r\n";
                m_out.append(std::size_t(level + 1) * 2, ' ');
            }
            const std::size_t end = std::min(data.size(), from + kBinaryPiece);
            char *o = piece;
            for (std::size_t i = from; i < end; ++i) {
                *o++ = hex[data[i] >> 4];
                *o++ = hex[data[i] & 15];
            }
            m_out.append(piece, std::size_t(o - piece));
        }
        m_out += '}';
    }

    // Byte strings keep their bytes, except control characters and the
    // quote, which become #codes; wide and UTF-8 strings are written in
    // UTF-16 code units with every unit above 127 as a #code.
    void writeString(const RawString &raw, int level)
    {
        const bool bytes = raw.type == TValueType::vaString || raw.type == TValueType::vaLString;
        const std::u16string *units = nullptr;
        if (raw.type == TValueType::vaWString) {
            m_units.resize(raw.bytes.size() / 2);
            for (std::size_t i = 0; i < m_units.size(); ++i)
                m_units[i] = char16_t(std::uint8_t(raw.bytes[2 * i]) | std::uint8_t(raw.bytes[2 * i + 1]) << 8);
            units = &m_units;
        } else if (raw.type == TValueType::vaUTF8String) {
            m_units = enc::utf8ToUtf16(raw.bytes);
            units = &m_units;
        }
        const std::size_t length = bytes ? raw.bytes.size() : units->size();
        if (length == 0) {
            m_out += "''";
            return;
        }
        const bool ownLines = length > kStringPiece;
        for (std::size_t at = 0; at < length; at += kStringPiece) {
            if (ownLines) {
                if (at > 0)
                    m_out += " +";
                m_out += "\r\n";
                m_out.append(std::size_t(level + 1) * 2, ' ');
            }
            const std::size_t end = std::min(length, at + kStringPiece);
            bool quoted = false;
            for (std::size_t i = at; i < end; ++i) {
                const unsigned code = bytes ? static_cast<unsigned char>(raw.bytes[i]) : (*units)[i];
                const bool asCode = code < 32 || code == '\'' || (!bytes && code > 127);
                if (asCode) {
                    if (quoted) {
                        m_out += '\'';
                        quoted = false;
                    }
                    m_out += '#';
                    appendInt(m_out, code);
                    continue;
                }
                if (!quoted) {
                    m_out += '\'';
                    quoted = true;
                }
                if (code < 128) {
                    m_out += char(code);
                } else if (m_utf8Text) {
                    // The text is UTF-8 because of a non-ASCII name; a raw
                    // code page byte there would be misread.
                    const char byte = char(code);
                    m_out += enc::ansiToUtf8(std::string_view(&byte, 1));
                } else {
                    m_rawHighBytes = true;
                    m_out += char(code);
                }
            }
            if (quoted)
                m_out += '\'';
        }
    }

    ObjectReader m_reader;
    bool m_utf8Text;
    std::string m_out;
    std::vector<Frame> m_stack;
    std::u16string m_units;
    bool m_started = false;
    bool m_nonAsciiName = false;
    bool m_rawHighBytes = false;
};

} // namespace

std::string binaryToText(std::span<const std::uint8_t> stream)
{
    TextWriter first(stream, false);
    first.run();
    if (!first.hasNonAsciiName())
        return std::move(first.text());
    std::string text = "\xEF\xBB\xBF";
    if (!first.hasRawHighBytes()) {
        text += first.text();
        return text;
    }
    // Rare: non-ASCII names and code page bytes in strings. Write again with
    // the strings' bytes in UTF-8 so the whole text has one encoding.
    TextWriter second(stream, true);
    second.run();
    text += second.text();
    return text;
}

void ObjectBinaryToText(TMemoryStream &input, TMemoryStream &output)
{
    const std::size_t start = std::min(input.position(), input.size());
    const std::string text = binaryToText({input.data() + start, input.size() - start});
    input.setPosition(input.size());
    output.write(text);
}

} // namespace vantor
