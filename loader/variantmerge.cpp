#include "loader/variantmerge.h"

#include "loader/textlines.h"
#include "streams/stringlist.h"

#include <algorithm>
#include <filesystem>
#include <list>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace vantor {

using textlines::contains;
using textlines::indentOf;

bool fileExistsOnDisk(const std::string &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

namespace {

// The master's file name and platform when the dotted part between the dots
// at p1 and p2 (if any) names an Android variant or a table literal matches;
// empty when the name names no variant.
std::optional<std::pair<std::string, std::string>> variantOf(std::string name, std::size_t p1, std::size_t p2)
{
    std::string platform;
    if (p1 != std::string::npos && p2 != std::string::npos
        && contains(std::string_view(name).substr(p1 + 1, p2 - p1 - 1), "X")) {
        name.erase(p1, p2 - p1);
        platform = "Android";
    }
    static constexpr std::pair<std::string_view, std::string_view> kLiterals[] = {
        {".Macintosh", "Mac"}, {".Windows", "Windows"}, {".iPad", "iPad"}, {".iPhone", "iPhone"}};
    for (const auto &[literal, literalPlatform] : kLiterals) {
        const std::size_t at = name.find(literal);
        if (at == std::string::npos)
            continue;
        // The whole dotted part goes: Main.iPhone47in.fmx → Main.fmx.
        const std::size_t partEnd = name.find('.', at + 1);
        name.erase(at, partEnd == std::string::npos ? std::string::npos : partEnd - at);
        platform = std::string(literalPlatform);
    }
    if (platform.empty())
        return std::nullopt;
    return std::make_pair(std::move(name), std::move(platform));
}

} // namespace

PlatformFileNames AnalysePlatformFileName(const std::string &path, const FileExistsFn &fileExists)
{
    const std::size_t separator = path.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::string name = path.substr(nameStart);
    const std::string folder = path.substr(0, nameStart);

    // The first dotted part decides; a dotted unit name (Forms.Main.LgXhdpiPh.fmx)
    // has the platform in its last dotted part instead. Either counts only
    // when the master it names exists.
    const std::size_t first = name.find('.');
    const std::size_t second = first == std::string::npos ? std::string::npos : name.find('.', first + 1);
    const std::size_t last = name.rfind('.');
    const std::size_t beforeLast = last == std::string::npos || last == 0 ? std::string::npos : name.rfind('.', last - 1);
    std::vector<std::pair<std::size_t, std::size_t>> tries = {{first, second}};
    if (beforeLast != std::string::npos && beforeLast != first)
        tries.emplace_back(beforeLast, last);
    for (const auto &[p1, p2] : tries) {
        const auto variant = variantOf(name, p1, p2);
        if (!variant)
            continue;
        const std::string master = folder + variant->first;
        if (fileExists && fileExists(master))
            return {master, path, variant->second};
    }
    return {path, std::string(), "Windows"};
}

void ReadMasterAndVariant(const PlatformFileNames &names, TStringList &working, TStringList &variant,
                          const FormFileReader &read)
{
    read(names.masterFileName, working);
    if (names.variantFileName.empty())
        return;
    read(names.variantFileName, variant);
    MergePlatformVariant(working, variant);
}

namespace {

struct Line
{
    std::string text;
    int tag = 0;
};

using LineList = std::list<Line>;
using LineIt = LineList::iterator;

// Header lines by the text between "object " and their first ':'; a header
// of the variant is looked up there instead of in every master line.
std::string_view headerKey(std::string_view line)
{
    const auto indent = static_cast<std::size_t>(indentOf(line));
    const std::string_view rest = line.substr(indent);
    if (!rest.starts_with("object "))
        return {};
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos)
        return {};
    return rest.substr(7, colon - 7);
}

// A master line reads like a variant header when, after some of its leading
// blanks, it begins with the header (so the header may stand deeper).
bool readsLikeHeader(std::string_view line, std::string_view header)
{
    const int h = indentOf(header);
    const int k = indentOf(line);
    if (k < h)
        return false;
    return line.substr(static_cast<std::size_t>(k - h)).starts_with(header);
}

bool isBlockHeader(std::string_view line)
{
    return textlines::isHeaderWith(line, "object ") || textlines::isHeaderWith(line, "inherited ")
        || textlines::isHeaderWith(line, "inline ");
}

// The name of a block header: between the keyword and the first ':' (empty
// for an unnamed header).
std::string headerName(std::string_view line)
{
    const std::string_view rest = textlines::trimView(line);
    const std::size_t blank = rest.find(' ');
    const std::size_t colon = rest.find(':');
    if (blank == std::string_view::npos || colon == std::string_view::npos || colon < blank)
        return {};
    return textlines::trimmed(rest.substr(blank + 1, colon - blank - 1));
}

bool isEndLine(std::string_view line)
{
    return textlines::trimView(line) == "end";
}

std::string reindented(const std::string &line, int delta)
{
    if (delta >= 0)
        return textlines::blanks(delta) + line;
    const int remove = std::min(-delta, indentOf(line));
    return line.substr(static_cast<std::size_t>(remove));
}

// The master text while a variant is merged into it: a linked list, so that
// inserting and deleting inside a large form costs nothing elsewhere, with an
// index of its headers.
class MergeTarget
{
public:
    explicit MergeTarget(const TStringList &working)
    {
        for (const auto &item : working.items())
            insertBefore(m_lines.end(), item.text, item.tag);
    }

    void writeBack(TStringList &working)
    {
        working.clear();
        for (Line &line : m_lines)
            working.add(std::move(line.text), line.tag);
    }

    void mergeBlock(const std::vector<std::string> &collected, const std::string &header)
    {
        const auto found = findHeader(header);
        if (!found)
            return;
        const LineIt head = *found;
        const int h = indentOf(head->text);
        std::unordered_map<std::string, int> unnamedSeen;
        std::size_t i = 0;
        while (i < collected.size()) {
            const int bi = indentOf(collected[i]);
            std::size_t j = i + 1;
            while (j < collected.size() && indentOf(collected[j]) > bi)
                ++j;
            const bool child = textlines::isHeaderWith(collected[i], "object ")
                || textlines::isHeaderWith(collected[i], "inline ");
            if (child && j < collected.size() && indentOf(collected[j]) == bi && isEndLine(collected[j]))
                ++j;
            const std::vector<std::string> run(collected.begin() + static_cast<std::ptrdiff_t>(i),
                                               collected.begin() + static_cast<std::ptrdiff_t>(j));
            if (child)
                mergeChild(head, h, run, unnamedSeen);
            else
                mergeValue(head, h, run);
            i = j;
        }
    }

private:
    LineIt insertBefore(LineIt pos, std::string text, int tag = 0)
    {
        const LineIt it = m_lines.insert(pos, Line{std::move(text), tag});
        const std::string_view key = headerKey(it->text);
        if (!key.empty())
            m_headers[std::string(key)].push_back(it);
        return it;
    }

    LineIt erase(LineIt it)
    {
        const std::string_view key = headerKey(it->text);
        if (!key.empty()) {
            auto bucket = m_headers.find(std::string(key));
            if (bucket != m_headers.end())
                std::erase(bucket->second, it);
        }
        return m_lines.erase(it);
    }

    // Replaces a line's text, keeping its tag; returns the line (re-created).
    LineIt setText(LineIt it, std::string text)
    {
        const int tag = it->tag;
        const LineIt next = erase(it);
        return insertBefore(next, std::move(text), tag);
    }

    LineIt erase(LineIt first, LineIt last)
    {
        while (first != last)
            first = erase(first);
        return last;
    }

    // The first master line that reads like header.
    std::optional<LineIt> findHeader(const std::string &header)
    {
        const std::string_view key = headerKey(header);
        if (key.empty()) {
            // Not an ordinary header: look at every line.
            for (LineIt it = m_lines.begin(); it != m_lines.end(); ++it)
                if (readsLikeHeader(it->text, header))
                    return it;
            return std::nullopt;
        }
        const auto bucket = m_headers.find(std::string(key));
        if (bucket == m_headers.end())
            return std::nullopt;
        std::vector<LineIt> matches;
        for (const LineIt &it : bucket->second)
            if (readsLikeHeader(it->text, header))
                matches.push_back(it);
        if (matches.empty())
            return std::nullopt;
        if (matches.size() == 1)
            return matches.front();
        // Several headers of one name (a malformed form): the first in the text.
        for (LineIt it = m_lines.begin(); it != m_lines.end(); ++it)
            if (std::find(matches.begin(), matches.end(), it) != matches.end())
                return it;
        return std::nullopt;
    }

    LineIt extentEnd(LineIt head, int h)
    {
        LineIt it = std::next(head);
        while (it != m_lines.end() && indentOf(it->text) > h)
            ++it;
        return it;
    }

    void insertRun(LineIt pos, const std::vector<std::string> &run, std::size_t from, int delta)
    {
        for (std::size_t k = from; k < run.size(); ++k)
            insertBefore(pos, reindented(run[k], delta));
    }

    void mergeValue(LineIt head, int h, const std::vector<std::string> &run)
    {
        const std::string &b = run.front();
        const int bi = indentOf(b);
        const std::string key = " " + std::string(textlines::keyBeforeEquals(b)) + " ";
        const LineIt end = extentEnd(head, h);
        LineIt found = end;
        for (LineIt it = std::next(head); it != end; ++it) {
            if (contains(it->text, key)) {
                found = it;
                break;
            }
        }
        if (found == end) {
            // Added right after the header, so several stand in reverse order.
            const LineIt pos = std::next(head);
            insertBefore(pos, textlines::blanks(h + 2) + textlines::trimmed(b));
            insertRun(pos, run, 1, h + 2 - bi);
            return;
        }
        const int fx = indentOf(found->text);
        LineIt valueEnd = std::next(found);
        if (!isBlockHeader(found->text))
            while (valueEnd != end && indentOf(valueEnd->text) > fx)
                ++valueEnd;
        if (run.size() > 1 || valueEnd != std::next(found)) {
            // A value over several lines goes as a whole, on either side.
            erase(std::next(found), valueEnd);
            const LineIt line = setText(found, textlines::blanks(fx) + textlines::trimmed(b));
            insertRun(std::next(line), run, 1, fx - bi);
            return;
        }
        const std::size_t eq = found->text.find('=');
        if (eq == std::string::npos)
            return;
        const std::string oldValue(textlines::valueAfterEquals(found->text));
        if (oldValue.empty())
            return;
        const std::string newValue = b.find('=') == std::string::npos ? std::string()
                                                                      : std::string(textlines::valueAfterEquals(b));
        // The value is replaced where it stands, after the '='.
        const std::size_t at = found->text.find(oldValue, eq + 1);
        if (at == std::string::npos)
            return;
        std::string text = found->text;
        text.replace(at, oldValue.size(), newValue);
        setText(found, std::move(text));
    }

    void mergeChild(LineIt head, int h, const std::vector<std::string> &run,
                    std::unordered_map<std::string, int> &unnamedSeen)
    {
        const std::string &b = run.front();
        const int bi = indentOf(b);
        const std::string name = headerName(b);
        int ordinal = 0;
        const std::string shape = textlines::trimmed(b);
        if (name.empty())
            ordinal = unnamedSeen[shape]++;
        const LineIt end = extentEnd(head, h);
        LineIt it = std::next(head);
        while (it != end) {
            if (!isBlockHeader(it->text)) {
                ++it;
                continue;
            }
            const int c = indentOf(it->text);
            LineIt blockEnd = std::next(it);
            while (blockEnd != end && indentOf(blockEnd->text) > c)
                ++blockEnd;
            if (blockEnd != end && indentOf(blockEnd->text) == c && isEndLine(blockEnd->text))
                ++blockEnd;
            const bool same = name.empty() ? (headerName(it->text).empty() && textlines::trimView(it->text) == shape
                                              && ordinal-- == 0)
                                           : headerName(it->text) == name;
            if (same) {
                const LineIt pos = erase(it, blockEnd);
                insertRun(pos, run, 0, c - bi);
                return;
            }
            it = blockEnd;
        }
        // A child the master lacks: its last child.
        insertRun(end, run, 0, h + 2 - bi);
    }

    LineList m_lines;
    std::unordered_map<std::string, std::vector<LineIt>> m_headers;
};

} // namespace

void MergeVariantBlock(TStringList &working, const std::vector<std::string> &collected, const std::string &header)
{
    MergeTarget target(working);
    target.mergeBlock(collected, header);
    target.writeBack(working);
}

void MergePlatformVariant(TStringList &working, TStringList &variant)
{
    struct OpenBlock
    {
        bool open = false;
        bool nested = false;
        std::string header;
        int indent = 0;
        std::vector<std::string> collected;
    };
    const auto openAt = [](OpenBlock &state, const std::string &line) {
        state.open = true;
        state.header = line;
        const std::size_t at = state.header.find("inherited");
        state.header.replace(at, std::string_view("inherited").size(), "object");
        state.indent = indentOf(line);
        state.collected.clear();
    };

    MergeTarget target(working);
    // A literal merge starts again at the first variant line after it merged a
    // nested block and deleted it from the variant; the new walk then reaches
    // the line after that block in the state it had just before the block's
    // header. So the state is saved at each nested header and taken up again
    // after the nested block is merged. (The blocks the new walk would merge
    // again on the way are merged already; merging them again changes
    // nothing.)
    std::vector<OpenBlock> saved;
    OpenBlock state;
    for (const auto &item : variant.items()) {
        const std::string &line = item.text;
        if (state.open) {
            if (contains(line, " inherited ")) {
                saved.push_back(state);
                openAt(state, line);
                state.nested = true;
                continue;
            }
            if (indentOf(line) == state.indent) {
                target.mergeBlock(state.collected, state.header);
                if (state.nested) {
                    state = std::move(saved.back());
                    saved.pop_back();
                    continue;
                }
                state.open = false;
            } else {
                state.collected.push_back(line);
                continue;
            }
        }
        if (contains(line, " inherited "))
            openAt(state, line);
    }
    target.writeBack(working);
    variant.clear();
}

} // namespace vantor
