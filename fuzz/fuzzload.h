#pragma once

#include <cstddef>
#include <cstdint>

namespace vantor::fuzz {

// Bytes as a form file through the whole load, as the viewer makes it: the
// bytes are written to a file (split at kVariantSeparator into a master and
// its platform variant, which is then the file loaded), and the loader reads,
// merges, edits and converts the text and has the framework's reader build
// it into a host form, in the run-time and the design-time view; the
// placeholders of a built form are then visited. A load may succeed, fail
// to build or leave with a framework exception; anything else escapes and is
// a finding. Needs a Qt application (made on first use, offscreen when there
// is no display).
void wholeLoad(const std::uint8_t *data, std::size_t size);

} // namespace vantor::fuzz
