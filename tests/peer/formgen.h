#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantor::formgen {

// What the generator puts into a form. Every form is a valid text form; the
// same seed and options give the same text on every machine.
struct Options
{
    std::uint32_t seed = 1;
    // The generator keeps adding components until the text has at least this many lines.
    std::size_t minLines = 200;
    int maxDepth = 6;
    // Weights (0 = never) of the heavier value forms.
    int imageWeight = 1;       // multi-line binary data of a few kB
    int longStringWeight = 2;  // strings over 64 characters, cut into " +" pieces
    int collectionWeight = 2;  // collections, nested one level
    // Forms that the peer's text reader rejects although they are valid text
    // forms: integer set elements, collection items with an order value and
    // unnamed components with a child position; also single, currency and
    // date floats ("1.5s", "12.34c", "45000.5d"), which its binary-to-text
    // cannot print.
    bool peerUnsupportedForms = false;
    // Windows-1252 bytes (0xA0..0xFF) raw inside quoted strings; the text is
    // then not UTF-8 and must not carry a byte-order mark.
    bool rawAnsiBytes = true;
};

// Generates one text form with CR LF line ends.
std::string generateForm(const Options &options);

// Number of lines of a text (line ends counted, plus a last unterminated line).
std::size_t countLines(const std::string &text);

} // namespace vantor::formgen
