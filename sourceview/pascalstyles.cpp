#include "sourceview/pascalstyles.h"

#include <algorithm>
#include <array>
#include <string>

namespace vantor::pascal {

namespace {

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(unsigned char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isWordChar(unsigned char c) { return isLetter(c) || isDigit(c); }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

bool isSymbol(unsigned char c)
{
    static constexpr std::string_view kSymbols = " ,;:.(){}[]=+-*/^%<>#\r\n";
    return kSymbols.find(char(c)) != std::string_view::npos;
}

const std::vector<std::string_view> kKeywords = {
    "UNIT", "INTERFACE", "IMPLEMENTATION", "USES", "CONST", "PROGRAM", "PRIVATE", "PUBLIC", "PUBLISHED",
    "PROTECTED", "PROPERTY", "FUNCTION", "FINALISE", "INITIALISE", "VAR", "BEGIN", "WITH", "END", "FOR", "TO",
    "DO", "NOT", "IF", "THEN", "ELSE", "TYPE", "WHILE", "REPEAT", "UNTIL", "BREAK", "CONTINUE", "VIRTUAL",
    "OVERRIDE", "DEFAULT", "CLASS", "STORED", "INHERITED", "PROCEDURE", "CONSTRUCTOR", "DESTRUCTOR", "FINALLY",
    "RAISE", "STRING", "TRY", "EXCEPT", "STDCALL", "CDECL", "PASCAL", "NIL", "CASE", "REINTRODUCE", "PACKED",
    "RECORD", "MESSAGE", "IN", "IS", "SHL", "SHR", "MOD", "DIV", "XOR", "OR", "AND", "OF", "SET", "DOWNTO",
    "EXPORTS", "LIBRARY", "AS", "ASM", "DYNAMIC", "OBJECT", "THREADVAR", "FILE", "ABSTRACT", "OVERLOAD",
    "ASSEMBLER", "ABSOLUTE", "AUTOMATED", "EXTERNAL", "REGISTER", "DISPINTERFACE", "RESOURCESTRING", "NEAR",
    "FAR", "LABEL", "OUT", "SAFECALL", "DISPID", "ARRAY", "INLINE", "FORWARD", "PLATFORM", "DEPRECATED",
};

} // namespace

const std::vector<std::string_view> &keywords() { return kKeywords; }

bool isKeyword(std::string_view word)
{
    if (word.empty() || word.size() > 16)
        return false;
    std::string upper(word);
    for (char &c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return std::find(kKeywords.begin(), kKeywords.end(), upper) != kKeywords.end();
}

State styleText(std::string_view text, State state, std::vector<std::uint8_t> &styles)
{
    const std::size_t n = text.size();
    styles.assign(n, Default);
    auto at = [&](std::size_t i) -> unsigned char { return i < n ? static_cast<unsigned char>(text[i]) : 0; };
    auto fill = [&](std::size_t from, std::size_t to, Style s) { std::fill(styles.begin() + from, styles.begin() + to, s); };

    std::size_t i = 0;
    while (i < n) {
        if (state == State::InBrace) {
            const std::size_t close = text.find('}', i);
            const std::size_t end = close == std::string_view::npos ? n : close + 1;
            fill(i, end, Comment);
            i = end;
            if (close != std::string_view::npos)
                state = State::Normal;
            continue;
        }
        if (state == State::InParenStar) {
            const std::size_t close = text.find("*)", i);
            const std::size_t end = close == std::string_view::npos ? n : close + 2;
            fill(i, end, MultiLineComment);
            i = end;
            if (close != std::string_view::npos)
                state = State::Normal;
            continue;
        }

        const unsigned char c = at(i);
        if (c == '{') {
            state = State::InBrace;
            fill(i, i + 1, Comment);
            ++i;
        } else if (c == '(' && at(i + 1) == '*') {
            state = State::InParenStar;
            fill(i, i + 2, MultiLineComment);
            i += 2;
        } else if (c == '/' && at(i + 1) == '/') {
            std::size_t end = i;
            while (end < n && !isLineBreak(text[end]))
                ++end;
            fill(i, end, Comment);
            i = end;
        } else if (c == '\'' || c == '"') {
            std::size_t end = i + 1;
            while (end < n && text[end] != char(c) && !isLineBreak(text[end]))
                ++end;
            if (end < n && text[end] == char(c))
                ++end;
            fill(i, end, c == '\'' ? SingleQuote : DoubleQuote);
            i = end;
        } else if (isLetter(c)) {
            std::size_t end = i + 1;
            while (end < n && isWordChar(at(end)))
                ++end;
            fill(i, end, isKeyword(text.substr(i, end - i)) ? Keyword : Default);
            i = end;
        } else if (c == '$' && isHexDigit(at(i + 1))) {
            std::size_t end = i + 1;
            while (end < n && isHexDigit(at(end)))
                ++end;
            fill(i, end, Number);
            i = end;
        } else if (isDigit(c)) {
            std::size_t end = i;
            while (isDigit(at(end)))
                ++end;
            // "1.5" has a fraction; "1..9" is a range, its dots are symbols.
            if (at(end) == '.' && isDigit(at(end + 1))) {
                ++end;
                while (isDigit(at(end)))
                    ++end;
            }
            if ((at(end) == 'e' || at(end) == 'E')
                && (isDigit(at(end + 1)) || ((at(end + 1) == '+' || at(end + 1) == '-') && isDigit(at(end + 2))))) {
                end += isDigit(at(end + 1)) ? 1 : 2;
                while (isDigit(at(end)))
                    ++end;
            }
            fill(i, end, Number);
            i = end;
        } else {
            fill(i, i + 1, isSymbol(c) ? Symbol : Default);
            ++i;
        }
    }
    return state;
}

} // namespace vantor::pascal
