#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace vantor::fuzz {

// Raised when a conversion succeeds but breaks one of its own promises (text
// it wrote that it cannot read back the same). Not a framework exception, so
// it escapes the entries below and counts as a finding.
class BrokenInvariant : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// Entry functions shared by the libFuzzer targets and the replay test. Each
// returns normally when the input converts or is refused with a framework
// exception (vantor::Exception); anything else escapes and is a finding.

// Bytes as a bare TPF0 stream through the binary-to-text conversion.
void binaryToText(const std::uint8_t *data, std::size_t size);

// Bytes as a text form through the text-to-binary conversion; on success the
// stream is printed, read back and printed again, which must give the same text.
void textToBinary(const std::uint8_t *data, std::size_t size);

// Bytes as a form file: the stream-format test, then for binary the resource
// header and the binary-to-text conversion of what follows it, as a binary form
// file is loaded; for anything else the text reading into lines.
void formFile(const std::uint8_t *data, std::size_t size);

// Bytes as a style book's ResourcesBin: the style table (or single stream)
// is read, and every style it gives must start with the stream signature.
void styleResource(const std::uint8_t *data, std::size_t size);

// Bytes as a form file through the text passes of a load, in both views: the
// clean-up passes, the removal of event lines, the rewrite scan and (in the
// design-time view) the markers. The rewrite scan and the plug-in block
// substitution must reach what their literal restart-at-line-0 readings
// reach (on inputs small enough for those to finish quickly).
void loadPasses(const std::uint8_t *data, std::size_t size);

// The line that splits a fuzz input into a master text and a variant text.
inline constexpr char kVariantSeparator[] = "\n~~~~\n";

// Bytes split at kVariantSeparator: the first part read as the master form,
// the rest as its platform variant, and the variant merged into the master.
// The merge must empty the variant and agree with its literal reading.
void variantMerge(const std::uint8_t *data, std::size_t size);

} // namespace vantor::fuzz
