#include "texttobinary.h"

#include "encoding.h"
#include "errors.h"
#include "extended.h"
#include "memorystream.h"
#include "objectstream.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantor {

namespace {

// Reasons of syntax errors; the message adds " in Zeile <n>".
namespace reason {
constexpr const char *UnexpectedEnd = "Unerwartetes Dateiende";
constexpr const char *IdentifierExpected = "Bezeichner erwartet";
constexpr const char *ObjectExpected = "'object', 'inherited' oder 'inline' erwartet";
constexpr const char *EqualsExpected = "'=' erwartet";
constexpr const char *StringExpected = "Zeichenkette erwartet";
constexpr const char *UnterminatedString = "Zeichenkette nicht abgeschlossen";
constexpr const char *BadCharCode = "Ungültiger Zeichencode";
constexpr const char *IntegerExpected = "Ganzzahl erwartet";
constexpr const char *OutOfRange = "Zahl außerhalb des gültigen Bereichs";
constexpr const char *NameTooLong = "Bezeichner zu lang";
constexpr const char *BracketExpected = "']' erwartet";
constexpr const char *ItemExpected = "'item' erwartet";
constexpr const char *BadBinary = "Ungültige Binärdaten";
} // namespace reason

// Per byte: 1 starts a name (letters, "_", any byte above 127), 2 goes on one
// (also digits and ".").
constexpr auto kNameChar = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
            t[c] = 3;
        else if ((c >= '0' && c <= '9') || c == '.')
            t[c] = 2;
    }
    return t;
}();

bool isIdentStart(unsigned char c)
{
    return kNameChar[c] & 1;
}

bool isIdentChar(unsigned char c)
{
    return kNameChar[c] & 2;
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool sameIgnoringCase(std::string_view word, std::string_view lowerKeyword)
{
    if (word.size() != lowerKeyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
        if (c != lowerKeyword[i])
            return false;
    }
    return true;
}

// The UTF-16 code units of the Windows-1252 bytes.
struct AnsiTables
{
    std::array<char16_t, 256> unitOf{};
    // The byte of each unit below 256 (-1 when the code page lacks it); the
    // units above are the few of 0x80..0x9F, found by search.
    std::array<std::int16_t, 256> byteOf{};

    AnsiTables()
    {
        byteOf.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const std::u16string u = enc::utf8ToUtf16(enc::ansiToUtf8(std::string_view(&c, 1)));
            unitOf[b] = u.size() == 1 ? u[0] : char16_t(b);
        }
        for (int b = 255; b >= 0; --b)
            if (unitOf[b] < 256)
                byteOf[unitOf[b]] = std::int16_t(b);
    }
};

const AnsiTables &ansiTables()
{
    static const AnsiTables tables;
    return tables;
}

// Windows-1252 byte of a UTF-16 code unit, or -1 when the code page lacks it.
int ansiByteOf(char16_t unit)
{
    const AnsiTables &t = ansiTables();
    if (unit < 256)
        return t.byteOf[unit];
    for (int b = 0x80; b < 0xA0; ++b)
        if (t.unitOf[b] == unit)
            return b;
    return -1;
}

// Appends one UTF-8 sequence starting at p as UTF-16; returns its length.
std::size_t appendUtf8Char(const unsigned char *p, std::size_t avail, std::u16string &out)
{
    const unsigned char c = p[0];
    char32_t cp = 0xFFFD;
    std::size_t len = 1;
    auto cont = [&](std::size_t i) { return i < avail && (p[i] & 0xC0) == 0x80; };
    if (c < 0x80) {
        cp = c;
    } else if (c >= 0xC2 && c <= 0xDF && cont(1)) {
        cp = char32_t(c & 0x1F) << 6 | (p[1] & 0x3F);
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF && cont(1) && cont(2)) {
        cp = char32_t(c & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        len = 3;
        if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
    } else if (c >= 0xF0 && c <= 0xF4 && cont(1) && cont(2) && cont(3)) {
        cp = char32_t(c & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
        len = 4;
        if (cp < 0x10000 || cp > 0x10FFFF)
            cp = 0xFFFD;
    }
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(char16_t(0xD800 + (cp >> 10)));
        out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(char16_t(cp));
    }
    return len;
}

class TextParser
{
public:
    // ansi: the text is Windows-1252 bytes, decoded as they are met; else UTF-8.
    TextParser(std::string_view text, bool ansi, std::vector<std::uint8_t> &out)
        : m_text(text), m_ansi(ansi), m_writer(out)
    {
    }

    void run()
    {
        m_writer.writeSignature();
        skipBlanks();
        if (atEnd())
            fail(reason::UnexpectedEnd);
        parseObject();
        // Whatever follows the root's "end" is not part of the form.
    }

private:
    [[noreturn]] void fail(const char *why) const { fail(std::string(why)); }
    [[noreturn]] void fail(const std::string &why) const
    {
        throw EParserError(formatMessage(msg::ParseErrorFormat, why, m_line), m_line);
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    unsigned char peek() const { return atEnd() ? 0 : static_cast<unsigned char>(m_text[m_pos]); }

    // Line breaks and indentation carry no meaning; CR LF, LF and CR each end a line.
    void skipBlanks()
    {
        const char *const data = m_text.data();
        const std::size_t size = m_text.size();
        std::size_t pos = m_pos;
        int line = m_line;
        while (pos < size) {
            const unsigned char c = static_cast<unsigned char>(data[pos]);
            if (c > ' ')
                break;
            if (c == '\n') {
                ++line;
            } else if (c == '\r') {
                ++line;
                if (pos + 1 < size && data[pos + 1] == '\n')
                    ++pos;
            }
            ++pos;
        }
        m_pos = pos;
        m_line = line;
    }

    // The end of the name characters from pos on; seen collects their bits.
    std::size_t nameEnd(std::size_t pos, unsigned char &seen) const
    {
        const char *const data = m_text.data();
        const std::size_t size = m_text.size();
        unsigned char bits = 0;
        while (pos < size && isIdentChar(static_cast<unsigned char>(data[pos])))
            bits |= static_cast<unsigned char>(data[pos++]);
        seen = bits;
        return pos;
    }

    void expect(char c, const char *why)
    {
        skipBlanks();
        if (atEnd())
            fail(reason::UnexpectedEnd);
        if (peek() != static_cast<unsigned char>(c))
            fail(why);
        ++m_pos;
    }

    // A name, possibly dotted. The view points into the text.
    std::string_view readIdent()
    {
        skipBlanks();
        if (atEnd())
            fail(reason::UnexpectedEnd);
        if (!isIdentStart(peek()))
            fail(reason::IdentifierExpected);
        const std::size_t start = m_pos;
        unsigned char seen = 0;
        m_pos = nameEnd(m_pos, seen);
        std::string_view ident = m_text.substr(start, m_pos - start);
        if (m_ansi && seen >= 0x80) {
            // Names are stored as UTF-8. The buffer is reused: callers copy a
            // name before they read the next.
            m_identUtf8 = enc::ansiToUtf8(ident);
            ident = m_identUtf8;
        }
        if (ident.size() > 255)
            fail(reason::NameTooLong);
        return ident;
    }

    // The identifier at the current position without consuming it, empty if none.
    std::string_view peekIdent()
    {
        skipBlanks();
        if (m_pos >= m_text.size() || !isIdentStart(static_cast<unsigned char>(m_text[m_pos])))
            return {};
        unsigned char seen = 0;
        const std::size_t end = nameEnd(m_pos, seen);
        return m_text.substr(m_pos, end - m_pos);
    }

    // A keyword is only a keyword when no "=" follows it: a property may be
    // named like one.
    bool followedByEquals(std::size_t after) const
    {
        while (after < m_text.size() && static_cast<unsigned char>(m_text[after]) <= ' ')
            ++after;
        return after < m_text.size() && m_text[after] == '=';
    }

    bool atKeyword(std::string_view word, std::string_view keyword) const
    {
        return sameIgnoringCase(word, keyword) && !followedByEquals(m_pos + word.size());
    }

    bool atObjectHeader(std::string_view word) const
    {
        return atKeyword(word, "object") || atKeyword(word, "inherited") || atKeyword(word, "inline");
    }

    void enter()
    {
        if (++m_depth > kMaxNestingDepth)
            fail(msg::NestingTooDeep);
    }

    void parseObject()
    {
        enter();
        ComponentHeader header;
        const std::string_view keyword = readIdent();
        if (sameIgnoringCase(keyword, "inherited"))
            header.flags |= ffInherited;
        else if (sameIgnoringCase(keyword, "inline"))
            header.flags |= ffInline;
        else if (!sameIgnoringCase(keyword, "object"))
            fail(reason::ObjectExpected);

        std::string_view first = readIdent();
        skipBlanks();
        if (peek() == ':') {
            ++m_pos;
            header.name = first;
            header.className = readIdent();
        } else {
            header.className = first;
        }
        skipBlanks();
        if (peek() == '[') {
            ++m_pos;
            header.flags |= ffChildPos;
            header.childPos = readInteger();
            expect(']', reason::BracketExpected);
        }
        m_writer.writeComponentHeader(header);

        for (;;) {
            const std::string_view word = peekIdent();
            if (word.empty()) {
                if (atEnd())
                    fail(reason::UnexpectedEnd);
                fail(reason::IdentifierExpected);
            }
            if (atKeyword(word, "end") || atObjectHeader(word))
                break;
            parseProperty();
        }
        m_writer.writeListEnd();

        for (;;) {
            const std::string_view word = peekIdent();
            if (word.empty()) {
                if (atEnd())
                    fail(reason::UnexpectedEnd);
                fail(reason::ObjectExpected);
            }
            if (atKeyword(word, "end")) {
                m_pos += word.size();
                break;
            }
            if (!atObjectHeader(word))
                fail(reason::ObjectExpected);
            parseObject();
        }
        m_writer.writeListEnd();
        --m_depth;
    }

    void parseProperty()
    {
        m_writer.writeStr(readIdent());
        expect('=', reason::EqualsExpected);
        parseValue();
    }

    void parseValue()
    {
        skipBlanks();
        if (atEnd())
            fail(reason::UnexpectedEnd);
        const unsigned char c = peek();
        if (c == '\'' || c == '#') {
            parseString();
        } else if (isDigit(c) || c == '-' || c == '+' || c == '$' || c == '.') {
            parseNumber();
        } else if (isIdentStart(c)) {
            if (!tryNonFinite(false))
                m_writer.writeIdent(readIdent());
        } else if (c == '[') {
            parseSet();
        } else if (c == '(') {
            parseList();
        } else if (c == '<') {
            parseCollection();
        } else if (c == '{') {
            parseBinary();
        } else {
            fail(msg::InvalidPropertyValue);
        }
    }

    // Quoted pieces and #codes, joined by "+" (which may stand at the end of
    // one line or the start of the next).
    // A string is collected as Windows-1252 bytes while every character fits
    // one; the first that does not (or a #code above 127) moves it to UTF-16.
    void parseString()
    {
        m_bytes.clear();
        m_units.clear();
        m_wide = false;
        // Pieces join when they touch ('a'#13'b') or through "+"; pieces
        // apart are separate values, as the items of a list.
        for (;;) {
            const unsigned char c = peek();
            if (c == '\'') {
                readQuoted();
                continue;
            }
            if (c == '#') {
                readCharCode();
                continue;
            }
            const std::size_t pos = m_pos;
            const int line = m_line;
            skipBlanks();
            if (peek() != '+') {
                m_pos = pos; // leave the blanks to whoever reads next
                m_line = line;
                break;
            }
            ++m_pos;
            skipBlanks();
            if (atEnd())
                fail(reason::UnexpectedEnd);
            if (peek() != '\'' && peek() != '#')
                fail(reason::StringExpected);
        }
        if (m_wide)
            m_writer.writeWideString(m_units);
        else
            m_writer.writeAnsiString(m_bytes);
    }

    void becomeWide()
    {
        const auto &unitOf = ansiTables().unitOf;
        m_units.resize(m_bytes.size());
        for (std::size_t i = 0; i < m_bytes.size(); ++i)
            m_units[i] = unitOf[static_cast<unsigned char>(m_bytes[i])];
        m_wide = true;
    }

    void appendUnit(char16_t unit, bool forceWide)
    {
        if (!m_wide) {
            const int byte = forceWide ? -1 : unit < 0x80 ? unit : ansiByteOf(unit);
            if (byte >= 0) {
                m_bytes.push_back(char(byte));
                return;
            }
            becomeWide();
        }
        m_units.push_back(unit);
    }

    // Skips 16 bytes at a time from pos while none of them ends a run of
    // plain characters of a quoted piece; the byte-wise scan does the rest.
    std::size_t findRunEnd(const char *data, std::size_t pos, std::size_t size) const
    {
#if defined(__SSE2__)
        const __m128i quote = _mm_set1_epi8('\'');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        while (size - pos >= 16) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + pos));
            const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(c, quote), _mm_or_si128(_mm_cmpeq_epi8(c, cr), _mm_cmpeq_epi8(c, lf)));
            int mask = _mm_movemask_epi8(ends);
            if (!m_ansi)
                mask |= _mm_movemask_epi8(c); // the lead byte of a UTF-8 sequence
            if (mask != 0)
                return pos + std::size_t(__builtin_ctz(unsigned(mask)));
            pos += 16;
        }
#else
        (void)data;
        (void)size;
#endif
        return pos;
    }

    void readQuoted()
    {
        ++m_pos; // opening quote
        const char *const data = m_text.data();
        const std::size_t size = m_text.size();
        // Bytes that end a run: the quote, line breaks and, in UTF-8, the
        // start of a sequence.
        const unsigned char runLimit = m_ansi ? 0xFF : 0x7F;
        for (;;) {
            // A run of characters that go through as they stand: ASCII, or
            // any byte of a Windows-1252 text.
            const std::size_t runStart = m_pos;
            std::size_t pos = findRunEnd(data, m_pos, size);
            while (pos < size) {
                const unsigned char c = static_cast<unsigned char>(data[pos]);
                if (c == '\'' || c == '\r' || c == '\n' || c > runLimit)
                    break;
                ++pos;
            }
            m_pos = pos;
            if (m_pos > runStart) {
                if (!m_wide) {
                    m_bytes.append(data + runStart, m_pos - runStart);
                } else {
                    const auto &unitOf = ansiTables().unitOf;
                    for (std::size_t i = runStart; i < m_pos; ++i)
                        m_units.push_back(unitOf[static_cast<unsigned char>(data[i])]);
                }
            }
            if (m_pos >= size || data[m_pos] == '\r' || data[m_pos] == '\n')
                fail(reason::UnterminatedString);
            if (data[m_pos] == '\'') {
                if (m_pos + 1 < size && data[m_pos + 1] == '\'') {
                    appendUnit(u'\'', false);
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return;
            }
            // One UTF-8 sequence.
            m_scratch.clear();
            m_pos += appendUtf8Char(reinterpret_cast<const unsigned char *>(data) + m_pos, size - m_pos, m_scratch);
            for (char16_t u : m_scratch)
                appendUnit(u, false);
        }
    }

    // "#" and a decimal code, or "#$" and a hex code. A code above 127 makes
    // the string wide, as the binary-to-text conversion writes such codes
    // only for wide strings; codes beyond the 16-bit range become a
    // surrogate pair.
    void readCharCode()
    {
        ++m_pos; // '#'
        std::uint32_t code = 0;
        bool any = false;
        if (peek() == '$') {
            ++m_pos;
            while (hexValue(peek()) >= 0) {
                code = code * 16 + std::uint32_t(hexValue(peek()));
                if (code > 0x10FFFF)
                    fail(reason::BadCharCode);
                any = true;
                ++m_pos;
            }
        } else {
            while (isDigit(peek())) {
                code = code * 10 + (peek() - '0');
                if (code > 0x10FFFF)
                    fail(reason::BadCharCode);
                any = true;
                ++m_pos;
            }
        }
        if (!any)
            fail(reason::BadCharCode);
        if (code >= 0x10000) {
            code -= 0x10000;
            appendUnit(char16_t(0xD800 + (code >> 10)), true);
            appendUnit(char16_t(0xDC00 + (code & 0x3FF)), true);
        } else {
            appendUnit(char16_t(code), code > 127);
        }
    }

    std::int64_t readInteger()
    {
        skipBlanks();
        if (atEnd())
            fail(reason::UnexpectedEnd);
        bool negative = false;
        if (peek() == '-' || peek() == '+') {
            negative = peek() == '-';
            ++m_pos;
        }
        std::int64_t value = 0;
        if (peek() == '$') {
            ++m_pos;
            if (!readHex(value))
                fail(reason::IntegerExpected);
        } else if (!isDigit(peek()) || !readDecimal(value, negative)) {
            fail(isDigit(peek()) ? reason::OutOfRange : reason::IntegerExpected);
        }
        if (isIdentChar(peek()))
            fail(reason::IntegerExpected);
        return negative ? std::int64_t(0 - std::uint64_t(value)) : value;
    }

    // Up to 16 hex digits; 64-bit patterns read as two's complement.
    bool readHex(std::int64_t &value)
    {
        std::uint64_t v = 0;
        int digits = 0;
        while (hexValue(peek()) >= 0) {
            if (++digits > 16)
                fail(reason::OutOfRange);
            v = v * 16 + std::uint64_t(hexValue(peek()));
            ++m_pos;
        }
        value = std::int64_t(v);
        return digits > 0;
    }

    // The magnitude; -9223372036854775808 is allowed as a negative value.
    bool readDecimal(std::int64_t &value, bool negative)
    {
        std::uint64_t v = 0;
        const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
        while (isDigit(peek())) {
            const unsigned d = peek() - '0';
            if (v > (limit - d) / 10)
                return false;
            v = v * 10 + d;
            ++m_pos;
        }
        value = std::int64_t(v); // for 2^63 this wraps to INT64_MIN, negated again by the caller
        return true;
    }

    void parseNumber()
    {
        const int line = m_line;
        bool negative = false;
        if (peek() == '-' || peek() == '+') {
            negative = peek() == '-';
            ++m_pos;
        }
        if (tryNonFinite(negative))
            return;
        if (peek() == '$') {
            ++m_pos;
            std::int64_t v = 0;
            if (!readHex(v) || isIdentChar(peek()))
                fail(msg::InvalidPropertyValue);
            m_writer.writeInteger(negative ? std::int64_t(0 - std::uint64_t(v)) : v);
            return;
        }
        const std::size_t start = m_pos;
        std::size_t intDigits = 0, fracDigits = 0;
        while (isDigit(peek())) {
            ++m_pos;
            ++intDigits;
        }
        bool isFloat = false;
        if (peek() == '.') {
            isFloat = true;
            ++m_pos;
            while (isDigit(peek())) {
                ++m_pos;
                ++fracDigits;
            }
        }
        if (intDigits + fracDigits == 0)
            fail(msg::InvalidPropertyValue);
        if (peek() == 'e' || peek() == 'E') {
            isFloat = true;
            ++m_pos;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            if (!isDigit(peek()))
                fail(msg::InvalidPropertyValue);
            while (isDigit(peek()))
                ++m_pos;
        }
        const std::string_view number = m_text.substr(start, m_pos - start);
        char suffix = 0;
        if (peek() == 's' || peek() == 'S' || peek() == 'c' || peek() == 'C' || peek() == 'd' || peek() == 'D') {
            suffix = char(peek() | 0x20);
            ++m_pos;
        }
        if (isIdentChar(peek()))
            fail(msg::InvalidPropertyValue);

        if (!isFloat && !suffix) {
            std::size_t p = 0;
            std::uint64_t v = 0;
            const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
            for (; p < number.size(); ++p) {
                const unsigned d = number[p] - '0';
                if (v > (limit - d) / 10) {
                    m_line = line;
                    fail(reason::OutOfRange);
                }
                v = v * 10 + d;
            }
            m_writer.writeInteger(negative ? std::int64_t(0 - v) : std::int64_t(v));
            return;
        }
        switch (suffix) {
        case 's': {
            float f = 0;
            parseFloatText(number, f);
            m_writer.writeSingle(negative ? -f : f);
            break;
        }
        case 'd': {
            double d = 0;
            parseFloatText(number, d);
            m_writer.writeDate(negative ? -d : d);
            break;
        }
        case 'c': m_writer.writeCurrency(parseCurrency(number, negative)); break;
        default: writeExtendedFloat(number, negative); break;
        }
    }

    // "INF" and "NAN" (upper case, optionally signed, with an s or d suffix)
    // are how infinities and NaNs are written; reading them back keeps a
    // stream that holds one convertible both ways.
    bool tryNonFinite(bool negative)
    {
        const std::string_view rest = m_text.substr(m_pos);
        const bool inf = rest.starts_with("INF");
        if (!inf && !rest.starts_with("NAN"))
            return false;
        std::size_t len = 3;
        char suffix = 0;
        if (len < rest.size() && (rest[len] == 's' || rest[len] == 'd')) {
            suffix = rest[len];
            ++len;
        }
        if (len < rest.size() && isIdentChar(static_cast<unsigned char>(rest[len])))
            return false; // an identifier such as INFO
        m_pos += len;
        double v = inf ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
        if (negative)
            v = -v;
        if (suffix == 's')
            m_writer.writeSingle(float(v));
        else if (suffix == 'd')
            m_writer.writeDate(v);
        else
            m_writer.writeExtended(v);
        return true;
    }

    template<typename F>
    void parseFloatText(std::string_view number, F &value)
    {
        // from_chars does not take "1." or ".5"; give it the digits it wants.
        std::string_view text = number;
        std::string fixed;
        if (!text.empty() && (text.front() == '.' || text.find(".e") != std::string_view::npos
                              || text.find(".E") != std::string_view::npos || text.back() == '.')) {
            fixed.reserve(text.size() + 2);
            if (text.front() == '.')
                fixed += '0';
            for (std::size_t i = 0; i < text.size(); ++i) {
                fixed += text[i];
                if (text[i] == '.' && (i + 1 == text.size() || !isDigit(static_cast<unsigned char>(text[i + 1]))))
                    fixed += '0';
            }
            text = fixed;
        }
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            // Overflow gives an infinity; underflow gives zero.
            const bool tiny = text.find_first_of("eE") != std::string_view::npos
                              && text[text.find_first_of("eE") + 1] == '-';
            value = tiny ? F(0) : std::numeric_limits<F>::infinity();
        } else if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
            fail(msg::InvalidPropertyValue);
        }
    }

    // Most floats of a form are plain decimals ("16.000000000000000000",
    // "0.5"). Without an exponent and with at most 19 significant digits the
    // value is an integer below 2^64 over a power of ten that the extended
    // type holds exactly (up to 10^27), and one rounded division gives the
    // same nearest value as the general parser. False for anything else.
    static bool exactExtended(std::string_view number, long double &value)
    {
        static constexpr auto kPowers = [] {
            std::array<long double, 28> p{};
            p[0] = 1;
            for (std::size_t i = 1; i < p.size(); ++i)
                p[i] = p[i - 1] * 10;
            return p;
        }();
        std::uint64_t mantissa = 0;
        int digits = 0;      // significant digits taken
        int scale = 0;       // decimals after the point, trailing zeros excluded
        int pendingZeros = 0; // zeros after the point not yet known to matter
        bool fraction = false;
        for (const char c : number) {
            if (c == '.') {
                fraction = true;
                continue;
            }
            if (c < '0' || c > '9')
                return false; // an exponent
            const unsigned d = unsigned(c - '0');
            if (fraction && d == 0) {
                ++pendingZeros;
                continue;
            }
            for (; pendingZeros > 0; --pendingZeros) {
                if (digits > 0 && ++digits > 19)
                    return false;
                mantissa *= 10;
                ++scale;
            }
            if (mantissa == 0 && d == 0)
                continue; // leading zeros
            if (++digits > 19)
                return false;
            mantissa = mantissa * 10 + d;
            if (fraction)
                ++scale;
        }
        if (scale >= int(kPowers.size()))
            return false;
        value = static_cast<long double>(mantissa) / kPowers[std::size_t(scale)];
        return true;
    }

    // Digits with nothing but zeros after the point ("1200.000000000000000000",
    // sizes and positions): their value when it is below 10^19.
    static bool wholeNumber(std::string_view number, std::uint64_t &value)
    {
        std::size_t i = 0;
        std::uint64_t v = 0;
        for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
            if (i >= 19)
                return false;
            v = v * 10 + unsigned(number[i] - '0');
        }
        if (i < number.size()) {
            if (number[i] != '.')
                return false;
            for (++i; i < number.size(); ++i)
                if (number[i] != '0')
                    return false;
        }
        value = v;
        return true;
    }

    // The extended bytes of a whole number, exact: its bits are the mantissa.
    static Extended80 doubleToExtendedWhole(std::uint64_t v, bool negative)
    {
        Extended80 out{};
        int biased = 0;
        if (v != 0) {
            const int lz = std::countl_zero(v);
            v <<= lz;
            biased = 16383 + 63 - lz;
        }
        for (int i = 0; i < 8; ++i)
            out[i] = std::uint8_t(v >> (8 * i));
        const unsigned signExponent = (negative ? 0x8000u : 0u) | unsigned(biased);
        out[8] = std::uint8_t(signExponent & 0xFF);
        out[9] = std::uint8_t(signExponent >> 8);
        return out;
    }

    void writeExtendedFloat(std::string_view number, bool negative)
    {
        if constexpr (std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10) {
            // The x87 extended type itself: decimal text rounds straight to the
            // 64-bit mantissa, as the stream's float was meant to hold.
            std::uint64_t whole = 0;
            if (wholeNumber(number, whole)) {
                m_writer.writeExtendedBytes(doubleToExtendedWhole(whole, negative).data());
                return;
            }
            long double v = 0;
            if (!exactExtended(number, v))
                parseFloatText(number, v);
            if (negative)
                v = -v;
            std::uint8_t bytes[sizeof(long double)];
            std::memcpy(bytes, &v, sizeof v);
            m_writer.writeExtendedBytes(bytes);
        } else {
            double v = 0;
            parseFloatText(number, v);
            m_writer.writeExtended(negative ? -v : v);
        }
    }

    // Currency is stored exactly as the value times 10000; more than four
    // decimals round half away from zero.
    std::int64_t parseCurrency(std::string_view number, bool negative)
    {
        std::string digits;
        int scale = 0; // value = digits * 10^scale
        std::size_t i = 0;
        bool inFraction = false;
        for (; i < number.size(); ++i) {
            const char c = number[i];
            if (c == '.') {
                inFraction = true;
            } else if (c == 'e' || c == 'E') {
                break;
            } else {
                if (!(digits.empty() && c == '0'))
                    digits += c;
                if (inFraction)
                    --scale;
            }
        }
        if (i < number.size()) {
            int exponent = 0;
            const auto r = std::from_chars(number.data() + i + 1 + (number[i + 1] == '+'), number.data() + number.size(), exponent);
            if (r.ec != std::errc())
                fail(reason::OutOfRange);
            if (exponent > 100 || exponent < -100)
                fail(reason::OutOfRange);
            scale += exponent;
        }
        scale += 4;
        if (digits.empty())
            return 0;
        // Drop digits below the last place, remembering the rounding digit.
        int roundDigit = 0;
        if (scale < 0) {
            const int drop = -scale;
            if (drop > int(digits.size())) {
                digits.clear();
            } else {
                roundDigit = digits[digits.size() - drop] - '0';
                digits.resize(digits.size() - drop);
            }
            scale = 0;
        }
        std::uint64_t v = 0;
        const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
        auto push = [&](unsigned d) {
            if (v > (limit - d) / 10)
                fail(reason::OutOfRange);
            v = v * 10 + d;
        };
        for (char c : digits)
            push(unsigned(c - '0'));
        for (int k = 0; k < scale; ++k)
            push(0);
        if (roundDigit >= 5) {
            if (v == limit)
                fail(reason::OutOfRange);
            ++v;
        }
        return negative ? std::int64_t(0 - v) : std::int64_t(v);
    }

    void parseSet()
    {
        ++m_pos; // '['
        m_writer.writeValueType(TValueType::vaSet);
        skipBlanks();
        if (peek() == ']') {
            ++m_pos;
            m_writer.writeByte(0);
            return;
        }
        for (;;) {
            skipBlanks();
            if (atEnd())
                fail(reason::UnexpectedEnd);
            if (isDigit(peek()) || peek() == '-') {
                // Sets of small integers name their elements by number.
                const std::size_t start = m_pos;
                ++m_pos;
                while (isDigit(peek()))
                    ++m_pos;
                if (isIdentChar(peek()) || m_text.substr(start, m_pos - start) == "-")
                    fail(reason::IdentifierExpected);
                m_writer.writeStr(m_text.substr(start, m_pos - start));
            } else {
                m_writer.writeStr(readIdent());
            }
            skipBlanks();
            if (atEnd())
                fail(reason::UnexpectedEnd);
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == ']') {
                ++m_pos;
                break;
            }
            fail(reason::BracketExpected);
        }
        m_writer.writeByte(0);
    }

    void parseList()
    {
        ++m_pos; // '('
        enter();
        m_writer.writeListBegin();
        for (;;) {
            skipBlanks();
            if (atEnd())
                fail(reason::UnexpectedEnd);
            if (peek() == ')') {
                ++m_pos;
                break;
            }
            parseValue();
        }
        m_writer.writeValueType(TValueType::vaNull);
        --m_depth;
    }

    void parseCollection()
    {
        ++m_pos; // '<'
        enter();
        m_writer.writeCollectionBegin();
        for (;;) {
            skipBlanks();
            if (atEnd())
                fail(reason::UnexpectedEnd);
            if (peek() == '>') {
                ++m_pos;
                break;
            }
            const std::string_view word = peekIdent();
            if (!sameIgnoringCase(word, "item"))
                fail(reason::ItemExpected);
            m_pos += word.size();
            enter();
            std::optional<std::int64_t> order;
            skipBlanks();
            if (peek() == '[') {
                ++m_pos;
                order = readInteger();
                expect(']', reason::BracketExpected);
            }
            m_writer.writeItemBegin(order);
            for (;;) {
                const std::string_view w = peekIdent();
                if (w.empty()) {
                    if (atEnd())
                        fail(reason::UnexpectedEnd);
                    fail(reason::IdentifierExpected);
                }
                if (atKeyword(w, "end")) {
                    m_pos += w.size();
                    break;
                }
                parseProperty();
            }
            m_writer.writeListEnd();
            --m_depth;
        }
        m_writer.writeValueType(TValueType::vaNull);
        --m_depth;
    }

    // Decodes whole blocks of 16 hex digits from p on, up to the first block
    // that holds anything else or would pass stop; returns the bytes stored.
    static std::size_t decodeHexRun(const char *p, const char *stop, std::uint8_t *out)
    {
        std::size_t stored = 0;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        while (stop - p >= 16) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            // Digits: c - '0' in 0..9; letters: (c | 0x20) - 'a' in 0..5.
            const __m128i digit = _mm_sub_epi8(c, _mm_set1_epi8('0'));
            const __m128i letter = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
            const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit);
            const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(5)), letter);
            if (_mm_movemask_epi8(_mm_or_si128(isDigit, isLetter)) != 0xFFFF)
                break;
            const __m128i nibbles = _mm_or_si128(_mm_and_si128(isDigit, digit),
                                                 _mm_and_si128(isLetter, _mm_add_epi8(letter, _mm_set1_epi8(10))));
            // Each 16-bit lane holds a pair: the high digit in its low byte.
            const __m128i pairs = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(nibbles, _mm_set1_epi16(0x00FF)), 4),
                                               _mm_srli_epi16(nibbles, 8));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + stored), _mm_packus_epi16(pairs, zero));
            p += 16;
            stored += 8;
        }
#else
        (void)p;
        (void)stop;
        (void)out;
#endif
        return stored;
    }

    // Hex digits in either case, in pieces over any number of lines. Images
    // make this the bulk of many forms, hence the table and the one resize.
    void parseBinary()
    {
        static const std::array<std::uint8_t, 256> kind = [] {
            std::array<std::uint8_t, 256> t{};
            t.fill(0xFF); // not allowed
            for (int c = 0; c < 256; ++c) {
                if (hexValue(static_cast<unsigned char>(c)) >= 0)
                    t[c] = std::uint8_t(hexValue(static_cast<unsigned char>(c)));
                else if (c <= ' ')
                    t[c] = 0x10; // blank or line break
            }
            return t;
        }();

        ++m_pos; // '{'
        auto &out = m_writer.buffer();
        m_writer.writeValueType(TValueType::vaBinary);
        const std::size_t lengthAt = out.size();
        m_writer.writeUInt32(0);

        const char *const data = m_text.data();
        const char *p = data + m_pos;
        const char *const textEnd = data + m_text.size();
        const auto *close = static_cast<const char *>(std::memchr(p, '}', std::size_t(textEnd - p)));
        const char *const stop = close ? close : textEnd;
        std::size_t at = out.size();
        out.resize(at + std::size_t(stop - p) / 2 + 1);
        int high = -1;
        for (; p < stop; ++p) {
            // Whole pairs of digits at once: a line of an image is 64 of them.
            if (high < 0) {
                const std::size_t done = decodeHexRun(p, stop, &out[at]);
                p += 2 * done;
                at += done;
                while (p + 1 < stop) {
                    const std::uint8_t h = kind[static_cast<unsigned char>(p[0])];
                    const std::uint8_t l = kind[static_cast<unsigned char>(p[1])];
                    if ((h | l) >= 16)
                        break;
                    out[at++] = std::uint8_t(h << 4 | l);
                    p += 2;
                }
                if (p >= stop)
                    break;
            }
            const unsigned char c = static_cast<unsigned char>(*p);
            const std::uint8_t k = kind[c];
            if (k < 16) {
                if (high < 0) {
                    high = k;
                } else {
                    out[at++] = std::uint8_t(high << 4 | k);
                    high = -1;
                }
            } else if (k == 0x10) {
                if (c == '\n') {
                    ++m_line;
                } else if (c == '\r') {
                    ++m_line;
                    if (p + 1 < stop && p[1] == '\n')
                        ++p;
                }
                // The indentation of the next line in one go.
                while (p + 1 < stop && p[1] == ' ')
                    ++p;
            } else {
                m_pos = std::size_t(p - data);
                fail(reason::BadBinary);
            }
        }
        m_pos = std::size_t(p - data);
        out.resize(at);
        if (!close)
            fail(reason::UnexpectedEnd);
        ++m_pos; // '}'
        if (high >= 0)
            fail(reason::BadBinary);
        const std::size_t length = out.size() - lengthAt - 4;
        if (length > std::numeric_limits<std::uint32_t>::max())
            fail(reason::BadBinary);
        for (int i = 0; i < 4; ++i)
            out[lengthAt + i] = std::uint8_t(length >> (8 * i));
    }

    std::string_view m_text;
    bool m_ansi;
    std::string m_identUtf8;
    std::size_t m_pos = 0;
    int m_line = 1;
    int m_depth = 0;
    ObjectWriter m_writer;
    // The string being collected, reused from string to string.
    std::string m_bytes;
    std::u16string m_units;
    std::u16string m_scratch;
    bool m_wide = false;
};

// The stream of the text, appended to out; out is as it was when the text is refused.
void appendStream(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t> &out)
{
    std::string_view raw(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    std::string decoded;
    std::string_view text = raw;
    bool ansi = false;
    if (raw.size() >= 3 && raw.substr(0, 3) == "\xEF\xBB\xBF") {
        text = raw.substr(3);
    } else if (raw.size() >= 2 && (raw.substr(0, 2) == "\xFF\xFE" || raw.substr(0, 2) == "\xFE\xFF")) {
        const bool bigEndian = raw[0] == '\xFE';
        std::u16string units((raw.size() - 2) / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i) {
            const auto a = static_cast<unsigned char>(raw[2 + 2 * i]);
            const auto b = static_cast<unsigned char>(raw[3 + 2 * i]);
            units[i] = bigEndian ? char16_t(a << 8 | b) : char16_t(b << 8 | a);
        }
        decoded = enc::utf16ToUtf8(units);
        text = decoded;
    } else {
        ansi = true; // decoded piece by piece, so a large file is not copied first
    }

    const std::size_t start = out.size();
    // The stream of a form is about 60% of its text, hex data about half;
    // room that is not written costs no memory.
    out.reserve(start + text.size() / 4 * 3 + 64);
    adviseLargeBuffer(out.data() + start, out.capacity() - start);
    try {
        TextParser parser(text, ansi, out);
        parser.run();
    } catch (...) {
        out.resize(start);
        throw;
    }
}

} // namespace

std::vector<std::uint8_t> textToBinary(std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> out;
    appendStream(bytes, out);
    return out;
}

void ObjectTextToBinary(TMemoryStream &input, TMemoryStream &output)
{
    const std::size_t start = std::min(input.position(), input.size());
    const std::span<const std::uint8_t> text{input.data() + start, input.size() - start};
    if (output.position() == output.size()) {
        // The usual case: the stream goes straight behind what the output holds.
        appendStream(text, output.buffer());
        output.setPosition(output.size());
    } else {
        const std::vector<std::uint8_t> bytes = textToBinary(text);
        output.write(bytes.data(), bytes.size());
    }
    input.setPosition(input.size());
}

} // namespace vantor
