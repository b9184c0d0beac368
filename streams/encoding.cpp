#include "streams/encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace vantor::enc {

namespace {

constexpr char32_t ReplacementChar = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the
// same number, so every byte survives a round trip.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one code point starting at text[i] (a non-ASCII lead byte) and
// advances i. A malformed sequence yields U+FFFD and consumes only its
// longest valid prefix (at least one byte), so the next lead byte is kept.
char32_t decodeUtf8(std::string_view text, std::size_t &i)
{
    const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byteAt(i);
    int length = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0; // no overlong forms
        else if (lead == 0xED)
            hi = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        else if (lead == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else {
        ++i;
        return ReplacementChar;
    }
    ++i;
    for (int k = 1; k < length; ++k) {
        if (i >= text.size())
            return ReplacementChar;
        const unsigned char b = byteAt(i);
        if (b < lo || b > hi)
            return ReplacementChar;
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    return cp;
}

char unicodeToAnsi(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t k = 0; k < Cp1252High.size(); ++k) {
        if (Cp1252High[k] == cp)
            return static_cast<char>(0x80 + k);
    }
    return '?';
}

} // namespace

std::u16string utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        const char32_t cp = decodeUtf8(utf8, i);
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
        } else if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
                const char32_t cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
                appendUtf8(out, cp);
                ++i;
            } else {
                appendUtf8(out, ReplacementChar);
            }
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(out, ReplacementChar);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string ansiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 8);
    const char *at = ansi.data();
    const char *const end = at + ansi.size();
    while (at < end) {
        // A run of ASCII bytes, eight at a time where it can, is the same in
        // UTF-8 and goes over in one piece.
        const char *run = at;
        for (std::uint64_t word; end - at >= 8; at += 8) {
            std::memcpy(&word, at, 8);
            if (word & 0x8080808080808080ull)
                break;
        }
        while (at < end && static_cast<unsigned char>(*at) < 0x80)
            ++at;
        out.append(run, std::size_t(at - run));
        if (at == end)
            break;
        const auto b = static_cast<unsigned char>(*at++);
        if (b < 0xA0)
            appendUtf8(out, Cp1252High[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToAnsi(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        out.push_back(unicodeToAnsi(decodeUtf8(utf8, i)));
    }
    return out;
}

bool isAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace vantor::enc
