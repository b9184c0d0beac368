#include "fuzzload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vantor::fuzz::wholeLoad(data, size);
    return 0;
}
