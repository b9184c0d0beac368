#pragma once

#include "streams/errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TMemoryStream;

// Errors of the string list: an index out of range, a refused duplicate, an
// operation a sorted list cannot do.
class EStringListError : public Exception
{
public:
    using Exception::Exception;
};

namespace msg {
inline constexpr const char *ListIndexOutOfBounds = "Listenindex außerhalb des gültigen Bereichs (%d)";
inline constexpr const char *DuplicateString = "Die Stringliste erlaubt keine Duplikate";
inline constexpr const char *SortedListError = "Operation bei sortierten Listen nicht zulässig";
} // namespace msg

// The text encoding a string list remembers from loading and uses for saving.
enum class TEncoding {
    Ansi,    // Windows-1252, no byte-order mark
    UTF8,    // mark EF BB BF
    UTF16LE, // mark FF FE
    UTF16BE, // mark FE FF
};

// What a sorted list does when `add` meets a line that is already there
// (equal under the list's comparison). Unsorted lists accept every line.
enum class TDuplicates {
    Ignore, // keep the list as it is; `add` returns the index of the line already there
    Accept, // add the line after its equals
    Error,  // raise EStringListError(msg::DuplicateString)
};

// Compares UTF-8 texts without regard to letter case: ASCII, Latin-1,
// Latin Extended-A, basic Greek and Cyrillic letters are folded to lower case,
// then code points are compared in order. Bytes that are not valid UTF-8 sort
// after every code point, by their value. A strict weak ordering: <0, 0, >0.
int compareText(std::string_view a, std::string_view b);
inline bool sameText(std::string_view a, std::string_view b) { return compareText(a, b) == 0; }

// Finds the encoding by byte-order mark; `markLength` receives the mark's size
// (0 for Ansi, which is what bytes without a mark are).
TEncoding detectEncoding(const std::uint8_t *data, std::size_t size, std::size_t *markLength = nullptr);

// The framework's string list: ordered UTF-8 lines, each with an integer tag.
//
// Indices are 0-based `int`s; an index out of range raises EStringListError.
// Look-ups ignore letter case by default (see compareText). In sorted mode
// `add` inserts at the sorted place following the duplicates policy,
// `indexOf`/`find` are binary searches, and `insert`/`set` raise
// EStringListError because they would break the order.
//
// The remembered encoding starts as Ansi, is set by loading from bytes (or by
// setEncoding), and is kept by every other change (setText, clear, editing),
// so a loaded form that is edited is saved in the encoding it came in.
class TStringList
{
public:
    struct Item
    {
        std::string text;
        int tag = 0;
    };

    TStringList() = default;
    // Lines set directly, tags 0.
    TStringList(std::initializer_list<std::string_view> lines);

    int count() const { return static_cast<int>(m_items.size()); }
    bool empty() const { return m_items.empty(); }

    const std::string &get(int index) const { return m_items[checked(index)].text; }
    const std::string &operator[](int index) const { return get(index); }
    // Replaces the text of a line; its tag stays.
    void set(int index, std::string text);
    int tag(int index) const { return m_items[checked(index)].tag; }
    void setTag(int index, int tag) { m_items[checked(index)].tag = tag; }

    // Appends (unsorted) or inserts at the sorted place; returns the index of
    // the line (for an ignored duplicate, of the line already there).
    int add(std::string text, int tag = 0);
    // Appends every line of other with its tag, following this list's policy.
    void addStrings(const TStringList &other);
    // index may equal count() (append).
    void insert(int index, std::string text, int tag = 0);
    // The framework's Delete.
    void remove(int index);
    void clear() { m_items.clear(); }
    // Deletes every line for which pred(const Item &) holds, in one pass;
    // the others keep their order and tags. Returns the number deleted.
    template<typename Pred>
    int removeIf(Pred pred)
    {
        const auto kept = std::remove_if(m_items.begin(), m_items.end(), pred);
        const auto removed = static_cast<int>(m_items.end() - kept);
        m_items.erase(kept, m_items.end());
        return removed;
    }

    // First line equal to text under the list's comparison; -1 when none.
    int indexOf(std::string_view text) const;
    bool contains(std::string_view text) const { return indexOf(text) >= 0; }
    // Sorted: binary search; index receives the first equal line or the place
    // where text would be inserted. Unsorted: as indexOf, index = count() when
    // not found.
    bool find(std::string_view text, int &index) const;

    bool sorted() const { return m_sorted; }
    // Switching sorted mode on sorts the lines (equal lines keep their order).
    void setSorted(bool sorted);
    void sort();
    TDuplicates duplicates() const { return m_duplicates; }
    void setDuplicates(TDuplicates duplicates) { m_duplicates = duplicates; }
    bool caseSensitive() const { return m_caseSensitive; }
    // Case-sensitive lists compare bytes; changing it re-sorts a sorted list.
    void setCaseSensitive(bool caseSensitive);
    // The list's comparison: compareText, or a byte comparison when case-sensitive.
    int compare(std::string_view a, std::string_view b) const;

    // Every line followed by "\n".
    std::string text() const;
    // Replaces all lines; splits at CR LF, lone LF and lone CR. A final line
    // break ends the last line and adds no empty line. Tags are 0. Sorted
    // lists sort (and apply the duplicates policy to) the new lines.
    void setText(std::string_view text);

    TEncoding encoding() const { return m_encoding; }
    void setEncoding(TEncoding encoding) { m_encoding = encoding; }

    // Replace all lines with the decoded bytes: encoding by byte-order mark
    // (the mark is not part of the text), else Windows-1252. Text marked
    // UTF-8 is kept byte for byte; UTF-16 is converted (unpaired surrogates
    // and an odd trailing byte become U+FFFD). Remembers the encoding.
    void loadFromBytes(const std::uint8_t *data, std::size_t size);
    void loadFromBytes(std::string_view bytes);
    void loadFromBytes(const std::vector<std::uint8_t> &bytes) { loadFromBytes(bytes.data(), bytes.size()); }
    // Reads from the stream's position to its end.
    void loadFromStream(TMemoryStream &stream);
    // Raises EFOpenError when the file cannot be read.
    void loadFromFile(const std::string &fileName);

    // Every line followed by CR LF, in the remembered encoding, after its
    // byte-order mark (none for Ansi). Characters Windows-1252 cannot hold
    // are written as '?'.
    std::vector<std::uint8_t> saveToBytes() const;
    // Writes at the stream's position.
    void saveToStream(TMemoryStream &stream) const;
    // Raises EFOpenError when the file cannot be written.
    void saveToFile(const std::string &fileName) const;

    // The lines with their tags, for walking the list without index checks.
    const std::vector<Item> &items() const { return m_items; }
    std::vector<std::string> toVector() const;

private:
    std::size_t checked(int index) const;
    // Sorted mode: applies the duplicates policy and inserts. Returns the index.
    int addSorted(std::string text, int tag);
    std::size_t lowerBound(std::string_view text) const;
    std::size_t upperBound(std::string_view text) const;
    void assignLines(std::string_view text);

    std::vector<Item> m_items;
    TEncoding m_encoding = TEncoding::Ansi;
    TDuplicates m_duplicates = TDuplicates::Ignore;
    bool m_sorted = false;
    bool m_caseSensitive = false;
};

} // namespace vantor
