#pragma once

#include "streams/lineutils.h"

#include <cstddef>
#include <string>
#include <string_view>

// Small text helpers shared by the loader's text passes. "Contains" is a
// case-sensitive substring test, as everywhere in the passes.
namespace vantor::textlines {

inline bool contains(std::string_view line, std::string_view literal)
{
    return findText(line, literal) != std::string_view::npos;
}

// Leading blanks (code 32 only), as GetIndent.
inline int indentOf(std::string_view line)
{
    std::size_t n = 0;
    while (n < line.size() && line[n] == ' ')
        ++n;
    return static_cast<int>(n);
}

// Removes leading and trailing blanks and control characters (codes up to 32).
std::string_view trimView(std::string_view text);
inline std::string trimmed(std::string_view text) { return std::string(trimView(text)); }

// n blanks.
inline std::string blanks(int n) { return std::string(n > 0 ? static_cast<std::size_t>(n) : 0, ' '); }

// True when the line is indented by at least one blank and its text after the
// indentation begins with keyword (given with its trailing blank, "object ").
// This is how a block header is told from a string value that merely holds
// the word: a caption 'an object here' is no header.
bool isHeaderWith(std::string_view line, std::string_view keyword);

// The class of a header that has a colon: the text after the first ':',
// trimmed, and cut before a '[' (the child position), trimmed again.
// classPos receives the class's offset in line (where it stands), or npos
// when the line has no colon. Empty when there is no class text.
std::string_view classAfterColon(std::string_view line, std::size_t *classPos = nullptr);

// The class of an unnamed header ("object TWidget"): field 2 of the trimmed
// line split at blanks, and its offset in line.
std::string_view unnamedHeaderClass(std::string_view line, std::size_t *classPos = nullptr);

// The text after the first '=' of a line, trimmed; the whole line trimmed
// when it has none.
std::string_view valueAfterEquals(std::string_view line);

// The key of a property line: the text before the first '=', trimmed (the
// whole line trimmed when it has no '=').
std::string_view keyBeforeEquals(std::string_view line);

// The run-time library's StrToInt for the texts a form holds: optional sign,
// decimal digits or '$'/'0x' hexadecimal, 32-bit range. False when the text is
// none of these.
bool parseInteger(std::string_view text, int &value);

// The first n code points of a UTF-8 text (never cuts a character in two).
std::string_view firstCodePoints(std::string_view text, std::size_t n);

// Round to the nearest integer, halves to the even neighbour.
long long roundHalfEven(double value);

} // namespace vantor::textlines
