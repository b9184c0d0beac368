#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Pascal source styling without any widget: which style each byte of a text
// gets, and the state a line leaves behind for the next. The source viewer's
// styler applies these styles; tests check them here directly.
namespace vantor::pascal {

// The styles of the Pascal styler.
enum Style : std::uint8_t {
    Default = 0,          // identifiers and anything not listed below
    Keyword = 1,          // one of the 94 keywords, in any letter case
    SingleQuote = 2,      // 'text', to the closing quote or the line end
    DoubleQuote = 3,      // "text", to the closing quote or the line end
    Symbol = 4,           // blank , ; : . ( ) { } [ ] = + - * / ^ % < > # CR LF
    Comment = 5,          // { ... } and // to the line end
    MultiLineComment = 6, // (* ... *)
    Number = 7,           // decimal digits (with fraction and exponent), $hex
    Link = 8,             // reserved for links
    Highlight = 9,        // reserved for marked text
    StyleCount = 10,
};

// Where a piece of text starts: outside any comment, or inside a comment
// that spans lines.
enum class State : std::uint8_t {
    Normal = 0,      // ordinary text
    InBrace = 1,     // inside { ... }
    InParenStar = 2, // inside (* ... *)
};

// The keywords, upper-case.
const std::vector<std::string_view> &keywords();
// True when word (any letter case) is a keyword.
bool isKeyword(std::string_view word);

// Sets styles[i] for every byte of text (styles is resized to text.size()),
// starting in state; returns the state at the end of text. Strings and line
// comments end at a line break; the two block comments run across lines.
State styleText(std::string_view text, State state, std::vector<std::uint8_t> &styles);

} // namespace vantor::pascal
