#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantor {

class TMemoryStream;

// Converts a binary form stream to the text syntax: two blanks per level,
// CR LF line ends, long strings and binary data cut into pieces. Reads input
// from its position and writes at output's position. The text is ASCII plus
// the raw bytes of byte strings; when a name, identifier or set element is
// not ASCII the text becomes UTF-8 with a byte-order mark.
// A stream without "TPF0" raises EFilerError "Ungültiges Stream-Format", a
// damaged one EReadError; nesting beyond kMaxNestingDepth is refused with
// EReadError "Verschachtelung zu tief".
void ObjectBinaryToText(TMemoryStream &input, TMemoryStream &output);

// The same on plain bytes; returns the text.
std::string binaryToText(std::span<const std::uint8_t> stream);

// The text forms of floats, shared with the tests of the text parser.
// Extended and double: fixed with 18 decimals and at most 16 significant
// digits; a value too small for that form keeps its digits in exponent form.
std::string formatFixedFloat(double value);
// Single and date: general form with up to 15 significant digits (no suffix).
std::string formatGeneralFloat(double value);
// Currency from its stored value times 10000, exact (no suffix).
std::string formatCurrency(std::int64_t valueTimes10000);

} // namespace vantor
