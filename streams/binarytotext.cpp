#include "binarytotext.h"

#include "encoding.h"
#include "errors.h"
#include "memorystream.h"
#include "objectstream.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantor {

namespace {

constexpr std::size_t kStringPiece = 64; // characters of a string per line
constexpr std::size_t kBinaryPiece = 32; // bytes of binary data per line

// Room for the longest number written here: the fixed form of a value near
// the largest double has 309 digits before the point and 18 after.
constexpr std::size_t kMaxNumber = 400;

// The number writers below store at p, which has kMaxNumber bytes of room,
// and return the end of what they wrote.

template<std::size_t N>
char *putLiteral(char *p, const char (&text)[N])
{
    std::memcpy(p, text, N - 1);
    return p + N - 1;
}

// Names and digits: short pieces, copied in fixed-size moves (the two last
// overlapping) rather than by a copy of variable length, which the compiler
// makes a string instruction that is slow to start.
char *putText(char *p, std::string_view text)
{
    const char *s = text.data();
    std::size_t n = text.size();
    char *const end = p + n;
    for (; n > 16; n -= 16, p += 16, s += 16)
        std::memcpy(p, s, 16);
    if (n >= 8) {
        std::memcpy(p, s, 8);
        std::memcpy(p + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(p, s, 4);
        std::memcpy(p + n - 4, s + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(p, s, 2);
        std::memcpy(p + n - 2, s + n - 2, 2);
    } else if (n == 1) {
        *p = *s;
    }
    return end;
}

char *putInt(char *p, std::int64_t v)
{
    return std::to_chars(p, p + 24, v).ptr;
}

// "inf"/"nan" in the spellings the framework writes; the text syntax has no
// number form for them. Null when the value is finite.
char *putNonFinite(char *p, double value)
{
    if (std::isnan(value))
        return putLiteral(p, "NAN");
    if (std::isinf(value))
        return value < 0 ? putLiteral(p, "-INF") : putLiteral(p, "INF");
    return nullptr;
}

// Exponent form as the framework writes it from significant digits:
// "1.5E-20", "1E20".
char *putExponentForm(char *p, std::string_view digits, int exponent, bool negative)
{
    if (negative)
        *p++ = '-';
    *p++ = digits[0];
    if (digits.size() > 1) {
        *p++ = '.';
        p = putText(p, digits.substr(1));
    }
    *p++ = 'E';
    return putInt(p, exponent);
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

constexpr char kEighteenZeros[] = "000000000000000000";

// The fixed form of an extended or double.
char *putFixedFloat(char *p, double value)
{
    if (char *end = putNonFinite(p, value))
        return end;
    // Whole numbers below 10^15 (most sizes and positions of a form) have
    // all their digits in the integer part.
    if (value != 0 && value == std::trunc(value) && std::fabs(value) < 1e15) {
        p = putInt(p, std::int64_t(value));
        *p++ = '.';
        return putLiteral(p, kEighteenZeros);
    }
    bool negative = false;
    int exponent = 0;
    char buffer[32];
    const std::string_view digits = decompose(value, 15, negative, exponent, buffer);
    const bool zero = digits == "0";
    // A digit at index i stands at decimal place i - exponent (1 = tenths).
    if (!zero && int(digits.size()) - 1 - exponent > 18) {
        // Fixed notation would cut significant digits off the end.
        return putExponentForm(p, digits, exponent, negative);
    }
    if (negative)
        *p++ = '-';
    if (zero || exponent < 0) {
        p = putLiteral(p, "0.");
        std::size_t written = 0;
        if (!zero) {
            written = std::size_t(-exponent - 1);
            std::memset(p, '0', written);
            p = putText(p + written, digits);
            written += digits.size();
        }
        std::memset(p, '0', 18 - written);
        return p + (18 - written);
    }
    const std::size_t intLen = std::size_t(exponent) + 1;
    if (digits.size() <= intLen) {
        p = putText(p, digits);
        std::memset(p, '0', intLen - digits.size());
        p += intLen - digits.size();
        *p++ = '.';
        return putLiteral(p, kEighteenZeros);
    }
    p = putText(p, digits.substr(0, intLen));
    *p++ = '.';
    p = putText(p, digits.substr(intLen));
    const std::size_t pad = 18 - (digits.size() - intLen);
    std::memset(p, '0', pad);
    return p + pad;
}

// The general form of a single or date.
char *putGeneralFloat(char *p, double value)
{
    if (char *end = putNonFinite(p, value))
        return end;
    bool negative = false;
    int exponent = 0;
    char buffer[32];
    const std::string_view digits = decompose(value, 14, negative, exponent, buffer);
    if (digits == "0")
        return negative ? putLiteral(p, "-0") : putLiteral(p, "0");
    if (exponent < -4 || exponent >= 15)
        return putExponentForm(p, digits, exponent, negative);
    if (negative)
        *p++ = '-';
    if (exponent < 0) {
        p = putLiteral(p, "0.");
        std::memset(p, '0', std::size_t(-exponent - 1));
        return putText(p + (-exponent - 1), digits);
    }
    const std::size_t intLen = std::size_t(exponent) + 1;
    if (digits.size() <= intLen) {
        p = putText(p, digits);
        std::memset(p, '0', intLen - digits.size());
        return p + (intLen - digits.size());
    }
    p = putText(p, digits.substr(0, intLen));
    *p++ = '.';
    return putText(p, digits.substr(intLen));
}

// Currency from its stored value times 10000, exact.
char *putCurrency(char *p, std::int64_t valueTimes10000)
{
    const std::uint64_t magnitude = valueTimes10000 < 0 ? 0 - std::uint64_t(valueTimes10000) : std::uint64_t(valueTimes10000);
    if (valueTimes10000 < 0)
        *p++ = '-';
    p = std::to_chars(p, p + 24, magnitude / 10000).ptr;
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[4];
        for (int i = 3; i >= 0; --i) {
            digits[i] = char('0' + fraction % 10);
            fraction /= 10;
        }
        int len = 4;
        while (digits[len - 1] == '0')
            --len;
        *p++ = '.';
        p = putText(p, std::string_view(digits, std::size_t(len)));
    }
    return p;
}

template<typename Put, typename... Args>
std::string formatted(Put put, Args... args)
{
    char buffer[kMaxNumber];
    return std::string(buffer, put(buffer, args...));
}

} // namespace

std::string formatFixedFloat(double value)
{
    return formatted(putFixedFloat, value);
}

std::string formatGeneralFloat(double value)
{
    return formatted(putGeneralFloat, value);
}

std::string formatCurrency(std::int64_t valueTimes10000)
{
    return formatted(putCurrency, valueTimes10000);
}

namespace {

// Two hex digits per byte value.
constexpr auto kHexPairs = [] {
    std::array<std::array<char, 2>, 256> t{};
    constexpr char hex[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b)
        t[b] = {hex[b >> 4], hex[b & 15]};
    return t;
}();

#if defined(__SSE2__)
// The 32 hex digits of 16 bytes.
void putHex16(char *p, const std::uint8_t *bytes)
{
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes));
    const __m128i low = _mm_set1_epi8(0x0F);
    const __m128i hi = _mm_and_si128(_mm_srli_epi16(b, 4), low);
    const __m128i lo = _mm_and_si128(b, low);
    // '0' + n, and 7 more for the letters.
    const auto digits = [](__m128i n) {
        const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)), _mm_set1_epi8(7));
        return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letters);
    };
    const __m128i h = digits(hi), l = digits(lo);
    _mm_storeu_si128(reinterpret_cast<__m128i *>(p), _mm_unpacklo_epi8(h, l));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(p + 16), _mm_unpackhi_epi8(h, l));
}
#endif

// Writes the text of a stream into a byte buffer (std::string or a byte
// vector) behind what it holds. Every piece asks room() for the most it can
// take and is then stored through a plain pointer; finish() cuts the buffer
// to what was written.
template<typename Buffer>
class TextWriter
{
public:
    TextWriter(std::span<const std::uint8_t> stream, bool utf8Text, Buffer &out)
        : m_reader(stream), m_limit(reinterpret_cast<const char *>(stream.data() + stream.size())), m_utf8Text(utf8Text),
          m_buf(out), m_start(out.size())
    {
        // Text is about twice the stream; hex data with its line breaks a bit more.
        m_buf.reserve(m_start + stream.size() / 2 * 5 + 64);
        adviseLargeBuffer(base() + m_start, m_buf.capacity() - m_start);
        m_cur = m_end = base() + m_start;
    }

    bool hasNonAsciiName() const { return m_nonAsciiName; }
    bool hasRawHighBytes() const { return m_rawHighBytes; }

    void run()
    {
        m_reader.readSignature();
        writeComponent(0);
        while (!m_stack.empty())
            step();
        m_cur = putLiteral(room(2), "\r\n");
        m_buf.resize(std::size_t(m_cur - base()));
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

    // The buffer grows in steps, so that the zeros resize() stores are still
    // in the cache when the text overwrites them.
    static constexpr std::size_t kGrowStep = 256 * 1024;

    char *base() { return reinterpret_cast<char *>(m_buf.data()); }

    // A pointer to at least n bytes of room at the end of the text.
    char *room(std::size_t n)
    {
        if (std::size_t(m_end - m_cur) < n) [[unlikely]]
            grow(n);
        return m_cur;
    }

    [[gnu::noinline]] void grow(std::size_t n)
    {
        const std::size_t used = std::size_t(m_cur - base());
        m_buf.resize(std::max(used + n, m_buf.size() + kGrowStep));
        m_cur = base() + used;
        m_end = base() + m_buf.size();
    }

    // Room a line break with the indentation of level takes (the indentation
    // is stored in blocks of 32 blanks).
    static std::size_t lineRoom(int level) { return 2 + std::size_t(level) * 2 + 32; }

    char *newLine(char *p, int level)
    {
        static constexpr char kBlanks[33] = "                                ";
        if (m_started)
            p = putLiteral(p, "\r\n");
        m_started = true;
        std::size_t n = std::size_t(level) * 2;
        for (; n > 32; n -= 32)
            p = putLiteral(p, kBlanks);
        std::memcpy(p, kBlanks, 32);
        return p + n;
    }

    void push(Kind kind, int level)
    {
        if (m_stack.size() >= std::size_t(kMaxNestingDepth))
            throw EReadError(msg::NestingTooDeep);
        m_stack.push_back({kind, level});
    }

    // Names, identifiers and set elements go into the text as they stand, so
    // they must be what the text syntax reads back: a name (letters, digits,
    // "_", ".", any non-ASCII byte; not starting with a digit or dot), or for
    // set elements also a whole number. Anything else is a damaged stream.
    void checkName(std::string_view name, bool numberAllowed = false)
    {
        bool nonAscii = false;
        if (!isReadableName(name, numberAllowed, nonAscii, m_limit)) [[unlikely]]
            throwUnreadable(name);
        if (nonAscii)
            m_nonAsciiName = true;
    }

    [[noreturn]] static void throwUnreadable(std::string_view name)
    {
        std::string shown(name.substr(0, 64));
        for (char &c : shown)
            if (static_cast<unsigned char>(c) < 32)
                c = '?';
        throw EReadError(formatMessage(msg::UnreadableName, shown));
    }

#if defined(__SSE2__)
    // Whether every byte of the name is a letter, digit, "_", "." or above
    // 127, by blocks of 16 (the last one overlapping, or masked to the name
    // when it is shorter).
    static bool nameBytesReadable(std::string_view name, bool &nonAscii)
    {
        const auto check = [](const char *at, unsigned wanted, unsigned &high) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
            const __m128i letter = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
            const __m128i digit = _mm_sub_epi8(c, _mm_set1_epi8('0'));
            const __m128i ok = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(25)), letter),
                             _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit)),
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8('_')), _mm_cmpeq_epi8(c, _mm_set1_epi8('.'))),
                             _mm_cmplt_epi8(c, _mm_setzero_si128())));
            high |= unsigned(_mm_movemask_epi8(c)) & wanted;
            return (unsigned(_mm_movemask_epi8(ok)) & wanted) == wanted;
        };
        unsigned high = 0;
        const std::size_t n = name.size();
        if (n < 16) {
            if (!check(name.data(), (1u << n) - 1, high))
                return false;
        } else {
            for (std::size_t i = 0; i + 16 < n; i += 16)
                if (!check(name.data() + i, 0xFFFF, high))
                    return false;
            if (!check(name.data() + n - 16, 0xFFFF, high))
                return false;
        }
        nonAscii = high != 0;
        return true;
    }
#endif

    // nonAscii is set when a readable name holds a byte above 127.
    static bool isReadableName(std::string_view name, bool numberAllowed, bool &nonAscii, const char *limit)
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
#if defined(__SSE2__)
        // Names reach into the stream, so 16 bytes from a name's start are
        // there to load unless it is near the stream's end.
        if (name.size() >= 16 || name.data() + 16 <= limit)
            return nameBytesReadable(name, nonAscii);
#endif
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
        const ObjectReader::HeaderView h = m_reader.readComponentHeaderView();
        if (!h.name.empty())
            checkName(h.name);
        checkName(h.className);
        char *p = room(lineRoom(level) + 10 + h.name.size() + 2 + h.className.size() + kMaxNumber);
        p = newLine(p, level);
        if (h.flags & ffInherited)
            p = putLiteral(p, "inherited ");
        else if (h.flags & ffInline)
            p = putLiteral(p, "inline ");
        else
            p = putLiteral(p, "object ");
        if (!h.name.empty()) {
            p = putText(p, h.name);
            p = putLiteral(p, ": ");
        }
        p = putText(p, h.className);
        if (h.flags & ffChildPos) {
            p = putLiteral(p, " [");
            p = putInt(p, h.childPos);
            *p++ = ']';
        }
        m_cur = p;
        push(Kind::Properties, level);
    }

    void writeProperty(int level)
    {
        const std::string_view name = m_reader.readStrView();
        checkName(name);
        char *p = room(lineRoom(level) + name.size() + 3);
        p = newLine(p, level);
        p = putText(p, name);
        m_cur = putLiteral(p, " = ");
        writeValue(m_reader.readValueType(), level);
    }

    // Text of a fixed spelling, with the room for it.
    template<std::size_t N>
    void append(const char (&text)[N])
    {
        m_cur = putLiteral(room(N - 1), text);
    }

    void endLine(int level)
    {
        char *p = room(lineRoom(level) + 3);
        m_cur = putLiteral(newLine(p, level), "end");
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
                endLine(level);
            } else {
                writeComponent(level + 1);
            }
            break;
        case Kind::List: {
            const TValueType t = m_reader.readValueType();
            if (t == TValueType::vaNull) {
                m_stack.pop_back();
                append(")");
            } else {
                m_cur = newLine(room(lineRoom(level + 1)), level + 1);
                writeValue(t, level + 1);
            }
            break;
        }
        case Kind::Collection:
            if (m_reader.endOfList()) {
                m_reader.readListEnd();
                m_stack.pop_back();
                append(">");
            } else {
                const std::optional<std::int64_t> order = m_reader.readItemBegin();
                char *p = newLine(room(lineRoom(level + 1) + 6 + kMaxNumber), level + 1);
                p = putLiteral(p, "item");
                if (order) {
                    p = putLiteral(p, " [");
                    p = putInt(p, *order);
                    *p++ = ']';
                }
                m_cur = p;
                push(Kind::Item, level + 1);
            }
            break;
        case Kind::Item:
            if (m_reader.endOfList()) {
                m_reader.readListEnd();
                m_stack.pop_back();
                endLine(level);
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
            append("(");
            push(Kind::List, level);
            break;
        case TValueType::vaCollection:
            append("<");
            push(Kind::Collection, level);
            break;
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64: m_cur = putInt(room(kMaxNumber), m_reader.readIntegerData(type)); break;
        case TValueType::vaExtended:
        case TValueType::vaDouble: m_cur = putFixedFloat(room(kMaxNumber), m_reader.readFloatData(type)); break;
        case TValueType::vaSingle: {
            char *p = putGeneralFloat(room(kMaxNumber + 1), m_reader.readFloatData(type));
            *p++ = 's';
            m_cur = p;
            break;
        }
        case TValueType::vaDate: {
            char *p = putGeneralFloat(room(kMaxNumber + 1), m_reader.readFloatData(type));
            *p++ = 'd';
            m_cur = p;
            break;
        }
        case TValueType::vaCurrency: {
            char *p = putCurrency(room(kMaxNumber + 1), m_reader.readCurrencyData());
            *p++ = 'c';
            m_cur = p;
            break;
        }
        case TValueType::vaString:
        case TValueType::vaLString:
        case TValueType::vaWString:
        case TValueType::vaUTF8String: writeString(m_reader.readRawStringData(type), level); break;
        case TValueType::vaIdent: {
            const std::string_view ident = m_reader.readStrView();
            checkName(ident);
            m_cur = putText(room(ident.size()), ident);
            break;
        }
        case TValueType::vaFalse: append("False"); break;
        case TValueType::vaTrue: append("True"); break;
        case TValueType::vaNil: append("nil"); break;
        case TValueType::vaNull: append("Null"); break;
        case TValueType::vaSet: {
            append("[");
            bool first = true;
            for (;;) {
                const std::string_view e = m_reader.readStrView();
                if (e.empty())
                    break;
                checkName(e, true);
                char *p = room(2 + e.size());
                if (!first)
                    p = putLiteral(p, ", ");
                first = false;
                m_cur = putText(p, e);
            }
            append("]");
            break;
        }
        case TValueType::vaBinary: writeBinary(m_reader.readBinaryData(), level); break;
        }
    }

    void writeBinary(std::span<const std::uint8_t> data, int level)
    {
        const bool ownLines = data.size() >= kBinaryPiece;
        append("{");
        for (std::size_t from = 0; from < data.size(); from += kBinaryPiece) {
            char *p = room(lineRoom(level + 1) + 2 * kBinaryPiece);
            if (ownLines) {
                p = putLiteral(p, "\r\n");
                const std::size_t n = std::size_t(level + 1) * 2;
                std::memset(p, ' ', n);
                p += n;
            }
            const std::size_t end = std::min(data.size(), from + kBinaryPiece);
            std::size_t i = from;
#if defined(__SSE2__)
            for (; end - i >= 16; i += 16, p += 32)
                putHex16(p, data.data() + i);
#endif
            for (; i < end; ++i) {
                std::memcpy(p, kHexPairs[data[i]].data(), 2);
                p += 2;
            }
            m_cur = p;
        }
        append("}");
    }

    // The UTF-8 form of each Windows-1252 byte above 127, for strings in a
    // text that is UTF-8.
    static std::string_view ansiAsUtf8(unsigned char byte)
    {
        static const auto table = [] {
            std::array<std::string, 128> t;
            for (int b = 0x80; b <= 0xFF; ++b) {
                const char c = char(b);
                t[b - 0x80] = enc::ansiToUtf8(std::string_view(&c, 1));
            }
            return t;
        }();
        return table[byte - 0x80];
    }

    // Stores the characters from i on up to the first at or after end that is
    // not printable ASCII or is the quote; returns how many (at least one:
    // the one at i is known to be plain). p has room for end - i bytes
    // and 15 more.
    template<typename Char>
    static std::size_t putPlainRun(char *p, const Char *chars, std::size_t i, std::size_t end)
    {
        const std::size_t from = i;
#if defined(__SSE2__)
        if constexpr (sizeof(Char) == 1) {
            const __m128i space = _mm_set1_epi8(31), quote = _mm_set1_epi8('\'');
            for (; end - i >= 16; i += 16) {
                const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + i));
                // Signed: the bytes above 127 are below 32 too.
                const __m128i plain = _mm_andnot_si128(_mm_cmpeq_epi8(c, quote), _mm_cmpgt_epi8(c, space));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(p + (i - from)), c);
                const unsigned mask = unsigned(_mm_movemask_epi8(plain));
                if (mask != 0xFFFF)
                    return i - from + std::size_t(__builtin_ctz(~mask));
            }
        } else {
            const __m128i space = _mm_set1_epi16(31), high = _mm_set1_epi16(128), quote = _mm_set1_epi16('\'');
            for (; end - i >= 8; i += 8) {
                const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + i));
                const __m128i plain = _mm_andnot_si128(_mm_cmpeq_epi16(u, quote),
                                                       _mm_and_si128(_mm_cmpgt_epi16(u, space), _mm_cmplt_epi16(u, high)));
                _mm_storel_epi64(reinterpret_cast<__m128i *>(p + (i - from)), _mm_packus_epi16(u, u));
                const unsigned mask = unsigned(_mm_movemask_epi8(plain));
                if (mask != 0xFFFF)
                    return i - from + std::size_t(__builtin_ctz(~mask)) / 2;
            }
        }
#endif
        for (; i < end; ++i) {
            const unsigned code = static_cast<std::make_unsigned_t<Char>>(chars[i]);
            if (code < 32 || code > 127 || code == '\'')
                break;
            p[i - from] = char(code);
        }
        return i - from;
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
            append("''");
            return;
        }
        // A character takes at most "'#65535'" or a quote and three UTF-8 bytes.
        constexpr std::size_t kCharRoom = 8;
        const bool ownLines = length > kStringPiece;
        for (std::size_t at = 0; at < length; at += kStringPiece) {
            char *p = room(2 + lineRoom(level + 1) + kStringPiece * kCharRoom + 1);
            if (ownLines) {
                if (at > 0)
                    p = putLiteral(p, " +");
                p = putLiteral(p, "\r\n");
                const std::size_t n = std::size_t(level + 1) * 2;
                std::memset(p, ' ', n);
                p += n;
            }
            const std::size_t end = std::min(length, at + kStringPiece);
            bool quoted = false;
            for (std::size_t i = at; i < end; ++i) {
                const unsigned code = bytes ? static_cast<unsigned char>(raw.bytes[i]) : (*units)[i];
                const bool asCode = code < 32 || code == '\'' || (!bytes && code > 127);
                if (asCode) {
                    if (quoted) {
                        *p++ = '\'';
                        quoted = false;
                    }
                    *p++ = '#';
                    p = putInt(p, code);
                    continue;
                }
                if (!quoted) {
                    *p++ = '\'';
                    quoted = true;
                }
                if (code < 128) {
                    // A run of plain ASCII goes through as it stands.
                    const std::size_t run = bytes ? putPlainRun(p, raw.bytes.data(), i, end)
                                                  : putPlainRun(p, units->data(), i, end);
                    p += run;
                    i += run - 1;
                } else if (m_utf8Text) {
                    // The text is UTF-8 because of a non-ASCII name; a raw
                    // code page byte there would be misread.
                    p = putText(p, ansiAsUtf8(static_cast<unsigned char>(code)));
                } else {
                    m_rawHighBytes = true;
                    *p++ = char(code);
                }
            }
            if (quoted)
                *p++ = '\'';
            m_cur = p;
        }
    }

    ObjectReader m_reader;
    const char *m_limit; // the end of the stream
    bool m_utf8Text;
    Buffer &m_buf;
    std::size_t m_start; // where the text begins in the buffer
    char *m_cur = nullptr;
    char *m_end = nullptr;
    std::vector<Frame> m_stack;
    std::u16string m_units;
    bool m_started = false;
    bool m_nonAsciiName = false;
    bool m_rawHighBytes = false;
};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The text of the stream, appended to out.
template<typename Buffer>
void appendText(std::span<const std::uint8_t> stream, Buffer &out)
{
    const std::size_t start = out.size();
    try {
        TextWriter<Buffer> first(stream, false, out);
        first.run();
        if (!first.hasNonAsciiName())
            return;
        if (!first.hasRawHighBytes()) {
            out.insert(out.begin() + std::ptrdiff_t(start), kUtf8Bom.begin(), kUtf8Bom.end());
            return;
        }
        // Rare: non-ASCII names and code page bytes in strings. Write again
        // with the strings' bytes in UTF-8 so the whole text has one encoding.
        out.resize(start);
        out.insert(out.end(), kUtf8Bom.begin(), kUtf8Bom.end());
        TextWriter<Buffer> second(stream, true, out);
        second.run();
    } catch (...) {
        out.resize(start); // a damaged stream leaves out as it was
        throw;
    }
}

} // namespace

std::string binaryToText(std::span<const std::uint8_t> stream)
{
    std::string text;
    appendText(stream, text);
    return text;
}

void ObjectBinaryToText(TMemoryStream &input, TMemoryStream &output)
{
    const std::size_t start = std::min(input.position(), input.size());
    const std::span<const std::uint8_t> stream{input.data() + start, input.size() - start};
    if (output.position() == output.size()) {
        // The usual case: the text goes straight behind what the output holds.
        appendText(stream, output.buffer());
        output.setPosition(output.size());
    } else {
        const std::string text = binaryToText(stream);
        output.write(text);
    }
    input.setPosition(input.size());
}

} // namespace vantor
