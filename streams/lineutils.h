#pragma once

#include "streams/stringlist.h"

#include <cstring>
#include <string>
#include <string_view>

// Line utilities shared by the passes that edit a form text. "Contains" is a
// case-sensitive substring test; positions are 1-based with 0 for "not
// found"; line indices are 0-based. None of them fails: out-of-range starts
// and missing fields give 0 or an empty string.
namespace vantor {

// The first occurrence of literal in text at or after index from, as
// std::string_view::find gives it (npos when none). The lines of a form are
// indented with blanks and most literals searched for start with one; this
// search is anchored on the literal's first other character, so it does not
// stop and compare at every blank of the indentation.
inline std::size_t findText(std::string_view text, std::string_view literal, std::size_t from = 0)
{
    const std::size_t n = literal.size();
    if (n == 0 || n > text.size() || from > text.size() - n)
        return n == 0 && from <= text.size() ? from : std::string_view::npos;
    std::size_t k = 0;
    while (k < n && literal[k] == ' ')
        ++k;
    if (k == n)
        return text.find(literal, from);
    const char anchor = literal[k];
    const char *base = text.data();
    // The anchor of a match starting at s lies at s + k, s from from to size - n.
    const char *at = base + from + k;
    const char *last = base + (text.size() - n) + k;
    while (at <= last) {
        at = static_cast<const char *>(std::memchr(at, anchor, std::size_t(last - at) + 1));
        if (!at)
            break;
        const std::size_t start = std::size_t(at - base) - k;
        if (std::memcmp(base + start, literal.data(), n) == 0)
            return start;
        ++at;
    }
    return std::string_view::npos;
}

// Number of leading blanks (code 32 only; a tab ends the count).
int GetIndent(std::string_view line);

// The first line from startIndex on that contains key, within the current
// block: the search gives up (empty result) at the first line that contains
// " end" or " object " without containing key. Empty when startIndex is
// outside the list; an empty key is found nowhere.
std::string FindPropertyLine(const TStringList &lines, std::string_view key, int startIndex);

// 1-based position of the first occurrence of subText in text that starts at
// or after position from; 0 when there is none, when subText is empty or
// when from lies beyond the end of text. A from below 1 counts as 1.
int PosFrom(int from, std::string_view text, std::string_view subText);

// The n-th field (1-based) of text split at delimiter. Adjacent delimiters
// delimit an empty field, a leading delimiter makes field 1 empty, a trailing
// delimiter adds no field; empty when there is no n-th field or n < 1.
std::string ExtractToken(char delimiter, std::string_view text, int n);

// Deletes every event-assignment line: one whose " On" (or, lacking that,
// " BeforeExecute") comes before its " = ". A property whose value holds
// " On" after the " = " stays.
void StripEventLines(TStringList &lines);

// The test StripEventLines applies to one line.
bool IsEventLine(std::string_view line);

} // namespace vantor
