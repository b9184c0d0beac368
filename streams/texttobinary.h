#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vantor {

class TMemoryStream;

// Converts a form in the text syntax to a binary form stream. Reads input
// from its position to the end and writes at output's position. The text is
// UTF-8 or UTF-16 when it starts with a byte-order mark, else Windows-1252.
// Syntax errors raise EParserError "<reason> in Zeile <n>" (1-based line);
// anything after the root's closing "end" is ignored.
void ObjectTextToBinary(TMemoryStream &input, TMemoryStream &output);

// The same on plain bytes; returns the stream.
std::vector<std::uint8_t> textToBinary(std::span<const std::uint8_t> text);

} // namespace vantor
