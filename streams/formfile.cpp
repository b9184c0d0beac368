#include "streams/formfile.h"

#include "streams/binarytotext.h"
#include "streams/encoding.h"
#include "streams/errors.h"
#include "streams/memorystream.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vantor {

namespace {

// The first entry of a 32-bit resource file: an empty resource that only
// marks the file format.
constexpr std::array<std::uint8_t, 32> EmptyResourceEntry = {
    0x00, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

// The resource header is searched only within this many bytes, as the
// framework does.
constexpr std::size_t HeaderWindow = 255;

std::uint32_t readUInt32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

[[noreturn]] void invalidFormat()
{
    throw EFilerError(msg::InvalidStreamFormat);
}

} // namespace

TStreamOriginalFormat TestStreamFormat(const std::uint8_t *data, std::size_t size)
{
    std::array<std::uint8_t, 4> b{};
    if (size > 0)
        std::memcpy(b.data(), data, std::min<std::size_t>(size, b.size()));
    if (b[0] == 0xFF || std::memcmp(b.data(), "TPF0", 4) == 0 || (b[0] | b[1] | b[2] | b[3]) == 0)
        return TStreamOriginalFormat::Binary;
    switch (b[0]) {
    case 9: case 11: case 13: case ' ': case 'I': case 'O': case 'i': case 'o':
        return TStreamOriginalFormat::Text;
    default:
        break;
    }
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return TStreamOriginalFormat::UTF8Text;
    return TStreamOriginalFormat::Unknown;
}

TStreamOriginalFormat TestStreamFormat(TMemoryStream &stream)
{
    const std::size_t start = std::min(stream.position(), stream.size());
    return TestStreamFormat(stream.data() + start, stream.size() - start);
}

void ReadResHeader(TMemoryStream &stream)
{
    const std::size_t base = stream.position();
    if (base >= stream.size())
        invalidFormat();
    const std::uint8_t *data = stream.data() + base;
    const std::size_t available = stream.size() - base;
    const std::size_t window = std::min(available, HeaderWindow);

    if (window > EmptyResourceEntry.size()
        && std::equal(EmptyResourceEntry.begin(), EmptyResourceEntry.end(), data)) {
        // 32-bit resource file: the form's entry follows the empty one.
        const std::uint8_t *entry = data + EmptyResourceEntry.size();
        const std::size_t entryWindow = std::min(available - EmptyResourceEntry.size(), HeaderWindow);
        if (entryWindow < 12 || readUInt32(entry + 8) != 0x000AFFFFu)
            invalidFormat();
        const std::uint32_t headerSize = readUInt32(entry + 4);
        // The data must start behind the fields just read and inside the file.
        if (headerSize < 12 || headerSize > available - EmptyResourceEntry.size())
            invalidFormat();
        stream.setPosition(base + EmptyResourceEntry.size() + headerSize);
        return;
    }

    // 16-bit header: FF, type 0A 00, name up to a zero byte, flags (2), size (4).
    if (window < 3 || data[0] != 0xFF || data[1] != 0x0A || data[2] != 0x00)
        invalidFormat();
    const std::uint8_t *end = data + window;
    const std::uint8_t *zero = std::find(data + 3, end, std::uint8_t(0));
    if (zero == end)
        invalidFormat();
    const std::size_t offset = static_cast<std::size_t>(zero - data) + 7;
    if (offset > available)
        invalidFormat();
    stream.setPosition(base + offset);
}

void LoadBinaryFormFromBytes(std::vector<std::uint8_t> bytes, TStringList &lines)
{
    TMemoryStream input(std::move(bytes));
    ReadResHeader(input);
    TMemoryStream output;
    ObjectBinaryToText(input, output);

    const std::string_view text(reinterpret_cast<const char *>(output.data()), output.size());
    // The conversion marks its output as UTF-8 when a name holds characters
    // outside ASCII; reading those bytes as Windows-1252 would garble the
    // names, so the mark decides, and the lines keep UTF-8 for saving.
    constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
    if (text.starts_with(utf8Mark)) {
        lines.setText(text.substr(utf8Mark.size()));
        lines.setEncoding(TEncoding::UTF8);
    } else {
        lines.setText(enc::ansiToUtf8(text));
        lines.setEncoding(TEncoding::Ansi);
    }
}

void LoadBinaryFormAsText(const std::string &fileName, TStringList &lines)
{
    LoadBinaryFormFromBytes(readWholeFile(fileName), lines);
}

void ReadFormFileLines(const std::vector<std::uint8_t> &bytes, TStringList &lines)
{
    // Only binary is told apart; every other answer of the test is read as text.
    if (TestStreamFormat(bytes.data(), bytes.size()) == TStreamOriginalFormat::Binary)
        LoadBinaryFormFromBytes(bytes, lines);
    else
        lines.loadFromBytes(bytes);
}

void ReadFormFileLines(const std::string &fileName, TStringList &lines)
{
    ReadFormFileLines(readWholeFile(fileName), lines);
}

} // namespace vantor
