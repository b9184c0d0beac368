#include "streams/encoding.h"

#include <gtest/gtest.h>

#include <string>

using namespace vantor;

namespace {

struct Utf8Utf16Case
{
    const char *name;
    std::string utf8;      // input
    std::u16string utf16;  // what it decodes to
    std::string roundTrip; // utf16 encoded back to UTF-8
};

TEST(Encoding, Utf8ToUtf16AndBack)
{
    const Utf8Utf16Case cases[] = {
        {"ascii", "Button1", u"Button1", "Button1"},
        {"two byte", "Gr\xC3\xBC\xC3\x9F" "e", u"Gr\u00FC\u00DFe", "Gr\xC3\xBC\xC3\x9F" "e"},
        {"three byte", "\xE2\x82\xAC", u"\u20AC", "\xE2\x82\xAC"},
        {"four byte -> surrogate pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
        {"lone continuation byte", "a\x80" "b", u"a\uFFFDb", "a\xEF\xBF\xBD" "b"},
        {"truncated at end", "a\xE2\x82", u"a\uFFFD", "a\xEF\xBF\xBD"},
        {"truncated before next char", "\xE2\x82" "A", u"\uFFFDA", "\xEF\xBF\xBD" "A"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"embedded NUL", std::string("a\0b", 3), std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string utf16 = enc::utf8ToUtf16(c.utf8);
        EXPECT_EQ(utf16, c.utf16);
        EXPECT_EQ(enc::utf16ToUtf8(utf16), c.roundTrip);
    }
}

TEST(Encoding, UnpairedSurrogatesBecomeReplacementCharacter)
{
    EXPECT_EQ(enc::utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(enc::utf16ToUtf8(std::u16string{char16_t(0xDC00), u'x'}), "\xEF\xBF\xBDx");
    EXPECT_EQ(enc::utf16ToUtf8(std::u16string{char16_t(0xD800), u'x'}), "\xEF\xBF\xBDx");
}

TEST(Encoding, EveryAnsiByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = enc::ansiToUtf8(all);
    EXPECT_EQ(enc::utf8ToAnsi(utf8), all);
    // The 1252 specials and the unassigned bytes.
    EXPECT_EQ(enc::ansiToUtf8("\x80"), "\xE2\x82\xAC");        // euro sign
    EXPECT_EQ(enc::ansiToUtf8("\x9F"), "\xC5\xB8");            // Y with diaeresis
    EXPECT_EQ(enc::ansiToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(enc::ansiToUtf8("\xFC"), "\xC3\xBC");

    // ASCII runs go over eight bytes at a time: a special byte anywhere in
    // or after a run of words comes out as it does alone.
    for (std::size_t length = 0; length <= 20; ++length)
        for (std::size_t at = 0; at <= length; ++at) {
            std::string text(length, 'a');
            if (at < length)
                text[at] = '\x80';
            std::string expected;
            for (const char c : text)
                expected += enc::ansiToUtf8(std::string(1, c));
            EXPECT_EQ(enc::ansiToUtf8(text), expected) << length << " " << at;
        }
}

TEST(Encoding, CharactersAnsiCannotHoldBecomeQuestionMarks)
{
    EXPECT_EQ(enc::utf8ToAnsi("\xE4\xB8\xAD" "x"), "?x");          // CJK
    EXPECT_EQ(enc::utf8ToAnsi("\xF0\x9F\x98\x80"), "?");           // outside the BMP: one '?'
    EXPECT_EQ(enc::utf8ToAnsi("\xC2\x80"), "?");                   // C1 control that 1252 replaced by the euro sign
    EXPECT_EQ(enc::utf8ToAnsi("a\xFF" "b"), "a?b");                // invalid UTF-8
    EXPECT_EQ(enc::utf8ToAnsi("\xE2\x80\x94\xC3\xA9"), "\x97\xE9"); // em dash, e acute
}

TEST(Encoding, IsAscii)
{
    EXPECT_TRUE(enc::isAscii(""));
    EXPECT_TRUE(enc::isAscii(std::string("a\0\x7F", 3)));
    EXPECT_FALSE(enc::isAscii("ab\xC3\xBC"));
}

} // namespace
