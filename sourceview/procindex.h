#pragma once

#include "streams/stringlist.h"

#include <string>

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

// Reads a unit source as the source viewer shows it: encoding by byte-order
// mark, else Windows-1252; every tab becomes four blanks. Raises EFOpenError
// when the file cannot be read.
void LoadSourceFile(const std::string &fileName, TStringList &lines);

// Replaces every tab of the lines by four blanks.
void ExpandTabs(TStringList &lines);

} // namespace vantor
