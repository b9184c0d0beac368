#pragma once

#include <string>
#include <string_view>

// Text encodings of form files. Inside the program text is UTF-8; the
// framework's ANSI code page is Windows-1252.
namespace vantor::enc {

// Invalid or truncated UTF-8 sequences become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);
// One character per byte, Windows-1252; the five unassigned bytes map to the C1 controls of the same code.
std::string ansiToUtf8(std::string_view ansi);
// Characters that Windows-1252 cannot hold are written as '?'.
std::string utf8ToAnsi(std::string_view utf8);
// True when every byte is below 128.
bool isAscii(std::string_view text);

} // namespace vantor::enc
