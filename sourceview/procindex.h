#pragma once

#include "streams/stringlist.h"

#include <string>
#include <string_view>

// The procedure index of a unit source: every procedure and function head
// after the first line that mentions "implementation", sorted. Pure C++.
namespace vantor {

// Rebuilds index from the lines of a unit source (as the source viewer holds
// them, tabs already expanded). Each entry is the head's text, trimmed and
// cut before its parameter list, tagged with its 0-based line. A line is
// taken for "procedure" and again for "function" when, lower-cased and
// trimmed, it contains the keyword with nothing but a word without blanks
// before it; lines up to and including the first one that contains
// "implementation" (in any case) are not taken.
//
// index is left sorted (the string list's case-insensitive comparison),
// duplicates accepted, and entries that compare equal stand in descending
// line order, as if each head had been inserted before its equals.
void FillProcIndex(const TStringList &source, TStringList &index);

// The entries of index whose text contains filter, both with A-Z
// lower-cased (other letters compare as they stand), in index order with
// their tags. An empty filter keeps every entry.
TStringList FilterProcIndex(const TStringList &index, std::string_view filter);

// The handler named by an event line as the event menu shows it
// ("OnClick = Button1Click"): the text after the first "=" (the whole text
// without one), at most 1255 characters, trimmed.
std::string HandlerNameOfEventLine(std::string_view eventLine);

// The entry of index that holds the handler's procedure, or -1. An entry that
// ends in the handler's name (after a blank or a dot, with at most a ";"
// behind it) is taken first, so Button1Click never lands on
// Button1ClickCount; without one, the first entry that contains the name;
// last, an entry ending in the name in another letter case, as Pascal names
// ignore case. An empty name finds nothing.
int FindHandlerEntry(const TStringList &index, std::string_view handler);

// Reads a unit source as the source viewer shows it: encoding by byte-order
// mark, else Windows-1252; every tab becomes four blanks. Raises EFOpenError
// when the file cannot be read.
void LoadSourceFile(const std::string &fileName, TStringList &lines);

// Replaces every tab of the lines by four blanks.
void ExpandTabs(TStringList &lines);

} // namespace vantor
