#pragma once

#include "streams/stringlist.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Form files on disk: the format test, the resource header in front of a
// binary form stream, and reading a text or binary form file into lines.
namespace vantor {

class TMemoryStream;

// The framework's answer to "what does this stream hold".
enum class TStreamOriginalFormat {
    Unknown,  // none of the others; the viewer reads it as text all the same
    Binary,   // first byte FF, "TPF0", or four zero bytes
    Text,     // starts with TAB, VT, CR, blank, "I", "O", "i" or "o"
    UTF8Text, // starts with the UTF-8 byte-order mark
};

// Looks at the first four bytes (bytes that are not there count as 0).
TStreamOriginalFormat TestStreamFormat(const std::uint8_t *data, std::size_t size);
// The same at the stream's position, which is left where it was.
TStreamOriginalFormat TestStreamFormat(TMemoryStream &stream);

// Reads the resource header at the stream's position and leaves the stream at
// the binary form stream behind it. Two forms are accepted: the 16-bit one
// (FF 0A 00, name ended by a zero byte, flags word, 32-bit size) and the
// 32-bit resource file (an empty 32-byte entry, then an entry of type 10 whose
// header size says where the data starts). Anything else, or a header that
// points past the end of the data, raises EFilerError(msg::InvalidStreamFormat).
void ReadResHeader(TMemoryStream &stream);

// Replaces lines with the form text of a binary form file: resource header,
// then the binary-to-text conversion. The text is Windows-1252, or UTF-8 when
// the conversion starts it with the UTF-8 mark (it does when a name is not
// ASCII); lines remember that encoding. On any error lines stay unchanged.
// Raises EFOpenError when the file cannot be read.
void LoadBinaryFormAsText(const std::string &fileName, TStringList &lines);
// The same on the file's bytes.
void LoadBinaryFormFromBytes(std::vector<std::uint8_t> bytes, TStringList &lines);

// Reads a form file into lines: the format test on its start; binary goes
// through LoadBinaryFormFromBytes, anything else is loaded as text (encoding
// by byte-order mark, else Windows-1252).
void ReadFormFileLines(const std::vector<std::uint8_t> &bytes, TStringList &lines);
// The same on a file; raises EFOpenError when it cannot be read.
void ReadFormFileLines(const std::string &fileName, TStringList &lines);

} // namespace vantor
