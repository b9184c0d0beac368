#include "fuzzentries.h"

#include "streams/binarytotext.h"
#include "streams/errors.h"
#include "streams/formfile.h"
#include "streams/memorystream.h"
#include "streams/stringlist.h"
#include "streams/styleresource.h"
#include "streams/objectstream.h"
#include "streams/texttobinary.h"

#include <vector>

namespace vantor::fuzz {

namespace {

std::vector<std::uint8_t> convert(bool toBinary, std::vector<std::uint8_t> input)
{
    TMemoryStream in(std::move(input));
    TMemoryStream out;
    if (toBinary)
        ObjectTextToBinary(in, out);
    else
        ObjectBinaryToText(in, out);
    return out.takeBytes();
}

} // namespace

void binaryToText(const std::uint8_t *data, std::size_t size)
{
    try {
        convert(false, std::vector<std::uint8_t>(data, data + size));
    } catch (const Exception &) {
    }
}

void textToBinary(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> stream;
    try {
        stream = convert(true, std::vector<std::uint8_t>(data, data + size));
    } catch (const Exception &) {
        return;
    }
    // What Vantor wrote it must read: print, read back, print again. The
    // second print must equal the first (the first round may round floats
    // that need 17 digits; after that the text is stable).
    try {
        const auto text = convert(false, stream);
        const auto again = convert(false, convert(true, text));
        if (again != text)
            throw BrokenInvariant("binary-to-text of a read-back stream differs from the first print");
    } catch (const Exception &error) {
        throw BrokenInvariant(std::string("Vantor refuses its own output: ") + error.what());
    }
}

void formFile(const std::uint8_t *data, std::size_t size)
{
    try {
        TMemoryStream file(std::vector<std::uint8_t>(data, data + size));
        file.setPosition(size / 2);
        TestStreamFormat(file);
        if (file.position() != size / 2)
            throw BrokenInvariant("the stream-format test moved the position");
        TStringList lines;
        ReadFormFileLines(std::vector<std::uint8_t>(data, data + size), lines);
    } catch (const Exception &) {
    }
}

void styleResource(const std::uint8_t *data, std::size_t size)
{
    try {
        const StyleResource resource = ReadStyleResource({data, size});
        for (const StyleResourceEntry &style : resource.styles)
            if (!hasStreamSignature(style.stream.data(), style.stream.size()))
                throw BrokenInvariant("a style without the stream signature");
    } catch (const Exception &) {
    }
}

} // namespace vantor::fuzz
