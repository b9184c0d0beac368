#include "sourceview/pascalstyles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vantor::pascal {
namespace {

// The styles of text as one letter a byte: . default, K keyword, ' single
// quote, " double quote, s symbol, c comment, m (* *) comment, n number.
std::string styleMap(std::string_view text, State state = State::Normal, State *end = nullptr)
{
    std::vector<std::uint8_t> styles;
    const State after = styleText(text, state, styles);
    if (end)
        *end = after;
    static const char letters[] = ".K'\"scmnlh";
    std::string out;
    for (std::uint8_t s : styles)
        out += letters[s];
    return out;
}

TEST(PascalStylesTest, StylesEachKindOfToken)
{
    struct Case
    {
        const char *text;
        const char *styles;
    };
    const Case cases[] = {
        {"begin End;", "KKKKKsKKKs"},
        {"Beginning", "........."},
        {"x := 'it''s';", ".ssss'''''''s"},
        {"s := \"dq\" + 'a", ".ssss\"\"\"\"sss''"}, // an open string ends at the line end
        {"i := $1F + 10;", ".ssssnnnsssnns"},
        {"$G", ".."},
        {"x := 1.5e-3;", ".ssssnnnnnns"},
        {"for i := 1..9 do", "KKKs.ssssnssnsKK"},
        {"Button1.Click", ".......s....."},
        {"a // b := 1", ".sccccccccc"},
        {"a {b} c", ".scccs."},
        {"(*x*)y", "mmmmm."},
        {"#13#10", "snnsnn"},
        {"a@b!c", "....."},
        {"x:\r\n", ".sss"},
        {"FINALISE finalization Initialise", "KKKKKKKKs............sKKKKKKKKKK"},
        {"Gr\xC3\xBC\xC3\x9F" "e", "......."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(styleMap(c.text), c.styles);
    }
}

TEST(PascalStylesTest, BlockCommentsCarryTheirStateAcrossLines)
{
    State end;
    EXPECT_EQ(styleMap("a { open\n", State::Normal, &end), ".sccccccc");
    EXPECT_EQ(end, State::InBrace);
    EXPECT_EQ(styleMap("still } x", State::InBrace, &end), "cccccccs.");
    EXPECT_EQ(end, State::Normal);
    EXPECT_EQ(styleMap("(* a } b", State::Normal, &end), "mmmmmmmm");
    EXPECT_EQ(end, State::InParenStar);
    EXPECT_EQ(styleMap("} *) end", State::InParenStar, &end), "mmmmsKKK");
    EXPECT_EQ(end, State::Normal);
}

TEST(PascalStylesTest, HasTheNinetyFourKeywordsOnce)
{
    const std::set<std::string_view> unique(keywords().begin(), keywords().end());
    EXPECT_EQ(keywords().size(), 94u);
    EXPECT_EQ(unique.size(), 94u);
    for (const char *word : {"implementation", "Deprecated", "RESOURCESTRING", "dispid", "threadvar"})
        EXPECT_TRUE(isKeyword(word)) << word;
    for (const char *word : {"initialization", "finalization", "integer", "result", "self", ""})
        EXPECT_FALSE(isKeyword(word)) << word;
}

} // namespace
} // namespace vantor::pascal
