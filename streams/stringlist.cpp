#include "streams/stringlist.h"

#include "streams/encoding.h"
#include "streams/memorystream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vantor {

namespace {

// Keys of bytes that are not part of a valid UTF-8 sequence: above every code point.
constexpr char32_t InvalidByteKey = 0x110000;

char32_t foldCase(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    if (cp < 0x100)
        return (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) ? cp + 32 : cp;
    if (cp <= 0x17F) {
        // Latin Extended-A pairs upper and lower case in neighbouring code
        // points, even first, except for two runs that pair odd first and a
        // few letters without a partner here (dotted/dotless i, kra, 'n, long s).
        if (cp == 0x178)
            return 0xFF;
        if (cp == 0x130 || cp == 0x131 || cp == 0x138 || cp == 0x149 || cp == 0x17F)
            return cp;
        if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
            return (cp & 1) ? cp + 1 : cp;
        return (cp & 1) ? cp : cp + 1;
    }
    if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) // Greek capitals
        return cp + 0x20;
    if (cp >= 0x410 && cp <= 0x42F) // Cyrillic capitals
        return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 0x50;
    return cp;
}

// Every fold above maps a letter to one of the same UTF-8 length, so texts
// that compare equal have equal byte lengths; indexOf uses that as a quick test.

// Comparison key of the (non-ASCII) character at text[i]; advances i. A byte
// that does not start a valid sequence is one key of its own.
char32_t keyAt(std::string_view text, std::size_t &i)
{
    const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byteAt(i);
    int length = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0;
        else if (lead == 0xED)
            hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        else if (lead == 0xF4)
            hi = 0x8F;
    }
    if (length == 0 || i + length > text.size()) {
        ++i;
        return InvalidByteKey + lead;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char b = byteAt(i + k);
        if (b < lo || b > hi) {
            ++i;
            return InvalidByteKey + lead;
        }
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
    }
    i += length;
    return foldCase(cp);
}

// Finds the line breaks of a text in order, with memchr, which looks at many
// bytes at a time (most text has long lines between breaks). next(from) is
// the next break at or after from: its position and its length (2 for CR LF),
// or the text's size and 0 when there is none; from only grows.
class LineBreaks
{
public:
    explicit LineBreaks(std::string_view text) : m_text(text) {}

    std::pair<std::size_t, std::size_t> next(std::size_t from)
    {
        const char *const begin = m_text.data();
        const std::size_t size = m_text.size();
        // The next line feed is looked for again only once it is passed: a
        // text broken by carriage returns alone has none to find.
        if (m_lf == std::string_view::npos || m_lf < from) {
            const void *lf = std::memchr(begin + from, '\n', size - from);
            m_lf = lf ? std::size_t(static_cast<const char *>(lf) - begin) : size;
        }
        // A carriage return before the line feed ends the line there.
        if (const void *cr = std::memchr(begin + from, '\r', m_lf - from)) {
            const std::size_t at = std::size_t(static_cast<const char *>(cr) - begin);
            return {at, at + 1 < size && begin[at + 1] == '\n' ? 2 : 1};
        }
        return {m_lf, m_lf < size ? 1 : 0};
    }

private:
    std::string_view m_text;
    std::size_t m_lf = std::string_view::npos; // the next line feed, the size when none is left
};

std::size_t countLineBreaks(std::string_view text)
{
    std::size_t n = 0;
    LineBreaks breaks(text);
    for (std::size_t at = 0; at < text.size();) {
        const auto [breakAt, length] = breaks.next(at);
        if (length == 0)
            break;
        ++n;
        at = breakAt + length;
    }
    return n;
}

std::vector<TStringList::Item> splitLines(std::string_view text)
{
    std::vector<TStringList::Item> items;
    items.reserve(countLineBreaks(text) + 1);
    std::size_t start = 0;
    LineBreaks breaks(text);
    while (start < text.size()) {
        const auto [breakAt, length] = breaks.next(start);
        items.push_back({std::string(text.substr(start, breakAt - start)), 0});
        if (length == 0)
            break;
        start = breakAt + length;
    }
    return items;
}

std::string decodeToUtf8(const std::uint8_t *data, std::size_t size, TEncoding encoding)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    switch (encoding) {
    case TEncoding::Ansi:
        return enc::ansiToUtf8(bytes);
    case TEncoding::UTF8:
        return std::string(bytes);
    case TEncoding::UTF16LE:
    case TEncoding::UTF16BE: {
        const bool little = encoding == TEncoding::UTF16LE;
        std::u16string units;
        units.reserve(size / 2 + 1);
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            const unsigned first = data[i], second = data[i + 1];
            units.push_back(static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second));
        }
        if (size % 2 != 0) // a cut-off code unit: show that something was there
            units.push_back(0xFFFD);
        return enc::utf16ToUtf8(units);
    }
    }
    return {};
}

void appendUtf16(std::vector<std::uint8_t> &out, std::u16string_view units, bool little)
{
    for (const char16_t u : units) {
        const auto low = static_cast<std::uint8_t>(u & 0xFF);
        const auto high = static_cast<std::uint8_t>(u >> 8);
        out.push_back(little ? low : high);
        out.push_back(little ? high : low);
    }
}

void appendBytes(std::vector<std::uint8_t> &out, std::string_view bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

int compareText(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        char32_t ka, kb;
        if (ca < 0x80) {
            ka = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            ++i;
        } else {
            ka = keyAt(a, i);
        }
        if (cb < 0x80) {
            kb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
            ++j;
        } else {
            kb = keyAt(b, j);
        }
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

TEncoding detectEncoding(const std::uint8_t *data, std::size_t size, std::size_t *markLength)
{
    TEncoding encoding = TEncoding::Ansi;
    std::size_t length = 0;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        encoding = TEncoding::UTF8;
        length = 3;
    } else if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        encoding = TEncoding::UTF16LE;
        length = 2;
    } else if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
        encoding = TEncoding::UTF16BE;
        length = 2;
    }
    if (markLength)
        *markLength = length;
    return encoding;
}

TStringList::TStringList(std::initializer_list<std::string_view> lines)
{
    m_items.reserve(lines.size());
    for (const auto line : lines)
        m_items.push_back({std::string(line), 0});
}

std::size_t TStringList::checked(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_items.size())
        throw EStringListError(formatMessage(msg::ListIndexOutOfBounds, {}, index));
    return static_cast<std::size_t>(index);
}

int TStringList::compare(std::string_view a, std::string_view b) const
{
    if (m_caseSensitive) {
        const int c = a.compare(b);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return compareText(a, b);
}

void TStringList::set(int index, std::string text)
{
    const std::size_t i = checked(index);
    if (m_sorted)
        throw EStringListError(msg::SortedListError);
    m_items[i].text = std::move(text);
}

std::size_t TStringList::lowerBound(std::string_view text) const
{
    const auto it = std::lower_bound(m_items.begin(), m_items.end(), text,
                                     [this](const Item &item, std::string_view t) { return compare(item.text, t) < 0; });
    return static_cast<std::size_t>(it - m_items.begin());
}

std::size_t TStringList::upperBound(std::string_view text) const
{
    const auto it = std::upper_bound(m_items.begin(), m_items.end(), text,
                                     [this](std::string_view t, const Item &item) { return compare(t, item.text) < 0; });
    return static_cast<std::size_t>(it - m_items.begin());
}

int TStringList::addSorted(std::string text, int tag)
{
    std::size_t pos = lowerBound(text);
    if (pos < m_items.size() && compare(m_items[pos].text, text) == 0) {
        switch (m_duplicates) {
        case TDuplicates::Ignore:
            return static_cast<int>(pos);
        case TDuplicates::Error:
            throw EStringListError(msg::DuplicateString);
        case TDuplicates::Accept:
            pos = upperBound(text);
            break;
        }
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(pos), Item{std::move(text), tag});
    return static_cast<int>(pos);
}

int TStringList::add(std::string text, int tag)
{
    if (m_sorted)
        return addSorted(std::move(text), tag);
    m_items.push_back({std::move(text), tag});
    return count() - 1;
}

void TStringList::addStrings(const TStringList &other)
{
    if (&other == this) {
        const TStringList copy = other;
        addStrings(copy);
        return;
    }
    if (!m_sorted)
        m_items.reserve(m_items.size() + other.m_items.size());
    for (const Item &item : other.m_items)
        add(item.text, item.tag);
}

void TStringList::insert(int index, std::string text, int tag)
{
    if (m_sorted)
        throw EStringListError(msg::SortedListError);
    if (index < 0 || index > count())
        throw EStringListError(formatMessage(msg::ListIndexOutOfBounds, {}, index));
    m_items.insert(m_items.begin() + index, Item{std::move(text), tag});
}

void TStringList::remove(int index)
{
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(checked(index)));
}

int TStringList::indexOf(std::string_view text) const
{
    if (m_sorted) {
        int index = 0;
        return find(text, index) ? index : -1;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const std::string &line = m_items[i].text;
        // Equal texts have equal byte lengths under both comparisons.
        if (line.size() == text.size() && compare(line, text) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool TStringList::find(std::string_view text, int &index) const
{
    if (!m_sorted) {
        index = indexOf(text);
        if (index >= 0)
            return true;
        index = count();
        return false;
    }
    const std::size_t pos = lowerBound(text);
    index = static_cast<int>(pos);
    return pos < m_items.size() && compare(m_items[pos].text, text) == 0;
}

void TStringList::sort()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const Item &a, const Item &b) { return compare(a.text, b.text) < 0; });
}

void TStringList::setSorted(bool sorted)
{
    if (sorted && !m_sorted)
        sort();
    m_sorted = sorted;
}

void TStringList::setCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == m_caseSensitive)
        return;
    m_caseSensitive = caseSensitive;
    if (m_sorted)
        sort();
}

std::string TStringList::text() const
{
    std::size_t total = 0;
    for (const Item &item : m_items)
        total += item.text.size() + 1;
    std::string out;
    out.reserve(total);
    for (const Item &item : m_items) {
        out += item.text;
        out += '\n';
    }
    return out;
}

void TStringList::assignLines(std::string_view text)
{
    std::vector<Item> items = splitLines(text);
    if (m_sorted) {
        // The same result as adding the lines one by one, in O(n log n); on a
        // refused duplicate the list keeps what it had.
        const auto less = [this](const Item &a, const Item &b) { return compare(a.text, b.text) < 0; };
        std::stable_sort(items.begin(), items.end(), less);
        if (m_duplicates != TDuplicates::Accept) {
            const auto same = [this](const Item &a, const Item &b) { return compare(a.text, b.text) == 0; };
            if (m_duplicates == TDuplicates::Error) {
                if (std::adjacent_find(items.begin(), items.end(), same) != items.end())
                    throw EStringListError(msg::DuplicateString);
            } else {
                items.erase(std::unique(items.begin(), items.end(), same), items.end());
            }
        }
    }
    m_items = std::move(items);
}

void TStringList::setText(std::string_view text)
{
    assignLines(text);
}

void TStringList::loadFromBytes(const std::uint8_t *data, std::size_t size)
{
    std::size_t markLength = 0;
    const TEncoding encoding = detectEncoding(data, size, &markLength);
    if (encoding == TEncoding::UTF8) {
        assignLines(std::string_view(reinterpret_cast<const char *>(data) + markLength, size - markLength));
    } else {
        assignLines(decodeToUtf8(data + markLength, size - markLength, encoding));
    }
    m_encoding = encoding;
}

void TStringList::loadFromBytes(std::string_view bytes)
{
    loadFromBytes(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
}

void TStringList::loadFromStream(TMemoryStream &stream)
{
    const std::size_t start = std::min(stream.position(), stream.size());
    loadFromBytes(stream.data() + start, stream.size() - start);
    stream.setPosition(stream.size());
}

void TStringList::loadFromFile(const std::string &fileName)
{
    loadFromBytes(readWholeFile(fileName));
}

std::vector<std::uint8_t> TStringList::saveToBytes() const
{
    std::size_t total = 3;
    for (const Item &item : m_items)
        total += item.text.size() + 2;
    std::vector<std::uint8_t> out;
    switch (m_encoding) {
    case TEncoding::Ansi:
        out.reserve(total);
        for (const Item &item : m_items) {
            if (enc::isAscii(item.text))
                appendBytes(out, item.text);
            else
                appendBytes(out, enc::utf8ToAnsi(item.text));
            appendBytes(out, "\r\n");
        }
        break;
    case TEncoding::UTF8:
        out.reserve(total);
        appendBytes(out, "\xEF\xBB\xBF");
        for (const Item &item : m_items) {
            appendBytes(out, item.text);
            appendBytes(out, "\r\n");
        }
        break;
    case TEncoding::UTF16LE:
    case TEncoding::UTF16BE: {
        const bool little = m_encoding == TEncoding::UTF16LE;
        out.reserve(total * 2);
        appendUtf16(out, u"\uFEFF", little);
        for (const Item &item : m_items) {
            appendUtf16(out, enc::utf8ToUtf16(item.text), little);
            appendUtf16(out, u"\r\n", little);
        }
        break;
    }
    }
    return out;
}

void TStringList::saveToStream(TMemoryStream &stream) const
{
    const std::vector<std::uint8_t> bytes = saveToBytes();
    stream.write(bytes.data(), bytes.size());
}

void TStringList::saveToFile(const std::string &fileName) const
{
    TMemoryStream(saveToBytes()).saveToFile(fileName);
}

std::vector<std::string> TStringList::toVector() const
{
    std::vector<std::string> out;
    out.reserve(m_items.size());
    for (const Item &item : m_items)
        out.push_back(item.text);
    return out;
}

} // namespace vantor
