#include "styleresource.h"

#include "errors.h"
#include "objectstream.h"

#include <algorithm>

// The style table of a style book's `ResourcesBin`
// ------------------------------------------------
// A `TStyleBook` keeps one style resource per platform item of its `Styles`
// collection, as the binary property `ResourcesBin`. Every such blob seen is
// laid out like this (all numbers little-endian, values tagged with the
// binary object stream's value-type bytes):
//
//   signature  13 bytes  "FMX_STYLE 2.5": the text "FMX_STYLE ", then the
//                        version; no length byte, no terminator. "2.5" is
//                        the only version seen and the only one taken.
//   table      vaList (0x01), then one pair per style:
//                name  a string value: vaString (length byte + bytes) in
//                      almost every file; vaWString with zero characters for
//                      a style without a name; vaLString and vaUTF8String
//                      are taken as well. Usually lower case
//                      ("buttonstyle"), but files keep whatever case the
//                      author typed ("Buttonstyle"); look-ups ignore case.
//                size  an integer value (vaInt8/16/32/64): the byte length
//                      of that style's stream.
//              vaNull (0x00) ends the table.
//   styles     the styles' streams back to back, in table order, the first
//              right after the table's end. Each is a complete binary object
//              stream: "TPF0", one root object (a TLayout, TRectangle,
//              TText, ... whose StyleName is the style's name) with its
//              parts as children.
//
// In the files the last stream ends at the blob's last byte; bytes beyond it
// are ignored. A table with no styles at all (vaList, vaNull) is an empty
// style book. Refused, with EReadError: another signature or version; a
// table entry that is not a string and an integer; a negative size; a size
// that runs past the blob's end (a blob cut short); a stream that does not
// start with "TPF0". The streams' contents are not looked into here: the
// framework's reader checks them when it builds a style.
//
// A blob that is itself one object stream ("TPF0" first) is a style root as
// the older files keep it; see ReadStyleStream.

namespace vantor {

namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

StyleResource readStyleTable(std::span<const std::uint8_t> blob)
{
    // The version runs from the signature to the vaList that opens the table.
    std::size_t pos = kStyleResourceSignature.size();
    std::size_t end = pos;
    while (end < blob.size() && end - pos < 16 && blob[end] != std::uint8_t(TValueType::vaList))
        ++end;
    const std::string version(reinterpret_cast<const char *>(blob.data()) + pos, end - pos);
    if (version != kStyleResourceVersion)
        throw EReadError(formatMessage(msg::StyleVersionUnknown, version));

    StyleResource resource;
    resource.version = version;
    ObjectReader reader(blob.data(), blob.size());
    reader.setPosition(end);
    struct Row
    {
        std::string name;
        std::int64_t size;
    };
    std::vector<Row> rows;
    try {
        reader.readListBegin();
        while (!reader.endOfList()) {
            std::string name = reader.readString();
            rows.push_back({std::move(name), reader.readInteger()});
        }
        reader.readListEnd();
    } catch (const EReadError &) {
        throw EReadError(msg::StyleTableDamaged);
    }

    std::size_t at = reader.position();
    resource.styles.reserve(rows.size());
    for (Row &row : rows) {
        if (row.size < 0)
            throw EReadError(formatMessage(msg::StyleSizeInvalid, row.name));
        if (std::uint64_t(row.size) > blob.size() - at)
            throw EReadError(formatMessage(msg::StyleTruncated, row.name));
        const auto size = std::size_t(row.size);
        if (!hasStreamSignature(blob.data() + at, size))
            throw EReadError(formatMessage(msg::StyleStreamInvalid, row.name));
        resource.styles.push_back({std::move(row.name), {blob.begin() + at, blob.begin() + at + size}});
        at += size;
    }
    return resource;
}

// The StyleName of the component whose properties start at the reader's
// position; the reader is left where it was.
std::string styleNameAt(ObjectReader reader)
{
    while (!reader.endOfList()) {
        const std::string_view property = reader.readStrView();
        if (property == "StyleName") {
            const TValueType type = reader.peekValueType();
            if (type == TValueType::vaString || type == TValueType::vaLString || type == TValueType::vaWString
                || type == TValueType::vaUTF8String)
                return reader.readString();
        }
        reader.skipValue();
    }
    return {};
}

} // namespace

const StyleResourceEntry *StyleResource::find(std::string_view name) const
{
    for (const StyleResourceEntry &entry : styles)
        if (equalsIgnoringAsciiCase(entry.name, name))
            return &entry;
    return nullptr;
}

StyleResource ReadStyleResource(std::span<const std::uint8_t> blob)
{
    const std::string_view head(reinterpret_cast<const char *>(blob.data()),
                                std::min(blob.size(), kStyleResourceSignature.size()));
    if (head == kStyleResourceSignature)
        return readStyleTable(blob);
    if (hasStreamSignature(blob.data(), blob.size()))
        return ReadStyleStream(blob);
    throw EReadError(msg::StyleFormatUnknown);
}

StyleResource ReadStyleStream(std::span<const std::uint8_t> stream)
{
    StyleResource resource;
    ObjectReader reader(stream.data(), stream.size());
    reader.readSignature();
    reader.readComponentHeader();
    // The root's own properties.
    while (!reader.endOfList())
        reader.skipProperty();
    reader.readListEnd();
    // Its children: each a style when it has a StyleName.
    while (!reader.endOfList()) {
        const std::size_t begin = reader.position();
        reader.readComponentHeader();
        std::string name = styleNameAt(reader);
        reader.skipComponent(true);
        const std::size_t end = reader.position();
        if (name.empty())
            continue;
        std::vector<std::uint8_t> bytes(kStreamSignature.begin(), kStreamSignature.end());
        bytes.insert(bytes.end(), stream.begin() + begin, stream.begin() + end);
        resource.styles.push_back({std::move(name), std::move(bytes)});
    }
    reader.readListEnd();
    return resource;
}

int ChooseStyleItem(std::span<const StyleItemInfo> items, std::string_view loadPlatform)
{
    std::vector<std::string_view> prefixes;
    if (equalsIgnoringAsciiCase(loadPlatform, "Windows"))
        prefixes = {"Windows"};
    else if (equalsIgnoringAsciiCase(loadPlatform, "Android"))
        prefixes = {"Android"};
    else if (equalsIgnoringAsciiCase(loadPlatform, "Mac"))
        prefixes = {"OSX", "Mac"};
    else if (equalsIgnoringAsciiCase(loadPlatform, "iPad") || equalsIgnoringAsciiCase(loadPlatform, "iPhone"))
        prefixes = {"iOS", "iPhone", "iPad"};

    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].hasStyle || items[i].platform.empty())
            continue;
        for (std::string_view prefix : prefixes)
            if (startsWithIgnoringAsciiCase(items[i].platform, prefix))
                return int(i);
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].hasStyle && items[i].platform.empty())
            return int(i);
    return -1;
}

} // namespace vantor
