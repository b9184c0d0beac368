#include "fuzzentries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vantor::fuzz::textToBinary(data, size);
    return 0;
}
