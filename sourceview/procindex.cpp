#include "sourceview/procindex.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace vantor {

namespace {

constexpr int kTabSize = 4;

// Blanks and control characters, as trimmed from both ends of a line.
bool isTrimmed(unsigned char c) { return c <= ' '; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isTrimmed(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && isTrimmed(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// Lower-cases A-Z into out. The keywords are ASCII and lower-casing other
// letters moves no blank, so the tests below come out the same as with a
// full locale lower-casing.
void lowerAscii(std::string_view s, std::string &out)
{
    out.resize(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        out[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
}

struct Entry
{
    std::string text;
    int line;
};

} // namespace

void FillProcIndex(const TStringList &source, TStringList &index)
{
    static constexpr std::string_view kKeywords[] = {"procedure", "function"};
    std::vector<Entry> entries;
    std::string low;
    bool implementation = false;
    const auto &lines = source.items();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i].text;
        lowerAscii(line, low);
        for (std::string_view keyword : kKeywords) {
            if (low.find(keyword) == std::string::npos)
                continue;
            const std::string_view t = trimmed(low);
            const std::string_view pre = t.substr(0, t.find(keyword));
            if (pre.find(' ') != std::string_view::npos)
                continue;
            if (!implementation)
                continue;
            std::string_view s = trimmed(line);
            s = s.substr(0, s.find('('));
            entries.push_back({std::string(s), int(i)});
        }
        if (!implementation && low.find("implementation") != std::string::npos)
            implementation = true;
    }

    // Sorting once gives the order of inserting each head before its equals:
    // equal texts end up with the later line first.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int c = compareText(a.text, b.text);
        return c != 0 ? c < 0 : a.line > b.line;
    });

    index.clear();
    index.setSorted(false);
    index.setCaseSensitive(false);
    index.setDuplicates(TDuplicates::Accept);
    for (Entry &e : entries)
        index.add(std::move(e.text), e.line);
    index.setSorted(true); // already in order; equal entries keep theirs
}

TStringList FilterProcIndex(const TStringList &index, std::string_view filter)
{
    TStringList out;
    std::string lowFilter;
    lowerAscii(filter, lowFilter);
    std::string low;
    for (const TStringList::Item &item : index.items()) {
        lowerAscii(item.text, low);
        if (low.find(lowFilter) != std::string::npos)
            out.add(item.text, item.tag);
    }
    return out;
}

std::string HandlerNameOfEventLine(std::string_view eventLine)
{
    constexpr std::size_t kMaxChars = 1255;
    const std::size_t eq = eventLine.find('=');
    std::string_view name = eq == std::string_view::npos ? eventLine : eventLine.substr(eq + 1);
    // Cut after kMaxChars characters, never inside one (UTF-8).
    std::size_t chars = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80)
            continue;
        if (chars++ == kMaxChars) {
            name = name.substr(0, i);
            break;
        }
    }
    return std::string(trimmed(name));
}

namespace {

// True when text ends in name as a whole name: a blank or a dot before it
// (or nothing), at most a ";" after it.
bool endsInName(std::string_view text, std::string_view name, bool ignoreCase)
{
    if (!text.empty() && text.back() == ';')
        text.remove_suffix(1);
    if (text.size() < name.size())
        return false;
    const std::string_view tail = text.substr(text.size() - name.size());
    if (ignoreCase ? compareText(tail, name) != 0 : tail != name)
        return false;
    if (text.size() == name.size())
        return true;
    const char before = text[text.size() - name.size() - 1];
    return before == '.' || before == ' ';
}

} // namespace

int FindHandlerEntry(const TStringList &index, std::string_view handler)
{
    if (handler.empty())
        return -1;
    const auto &items = index.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (endsInName(items[i].text, handler, false))
            return int(i);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].text.find(handler) != std::string::npos)
            return int(i);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (endsInName(items[i].text, handler, true))
            return int(i);
    return -1;
}

void ExpandTabs(TStringList &lines)
{
    const std::string blanks(kTabSize, ' ');
    for (int i = 0; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (line.find('\t') == std::string::npos)
            continue;
        std::string out;
        out.reserve(line.size() + 8);
        for (char c : line) {
            if (c == '\t')
                out += blanks;
            else
                out += c;
        }
        lines.set(i, std::move(out));
    }
}

void LoadSourceFile(const std::string &fileName, TStringList &lines)
{
    lines.loadFromFile(fileName);
    ExpandTabs(lines);
}

} // namespace vantor
