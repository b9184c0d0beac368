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
