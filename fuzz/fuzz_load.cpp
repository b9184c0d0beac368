#include "fuzzload.h"

#include <string_view>

// The application, the known classes and the font caches are set up before
// the first input, so that what lives for the whole run is not taken for a
// leak of that input.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    constexpr std::string_view warmUp = "object F: TF\n  object L: TLabel\n    Text = 'x'\n  end\n"
                                        "  object T: TTimer\n    Left = 1\n    Top = 2\n  end\nend\n";
    vantor::fuzz::wholeLoad(reinterpret_cast<const std::uint8_t *>(warmUp.data()), warmUp.size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vantor::fuzz::wholeLoad(data, size);
    return 0;
}
