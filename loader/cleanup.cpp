#include "loader/cleanup.h"

#include "loader/textlines.h"
#include "streams/stringlist.h"

#include <cctype>
#include <vector>

namespace vantor {

using textlines::contains;

namespace {

// Deletes the first line holding literal among the root's own lines (from
// line 1 until a line holding " object ").
void removeFirstRootLine(TStringList &lines, std::string_view literal)
{
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (contains(line, literal)) {
            lines.remove(i);
            return;
        }
        if (contains(line, " object "))
            return;
    }
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

// Where the root's own lines end, whatever the root's children are: a block
// header (any keyword, any case, blanks or tabs before it) or the root's
// closing line, which has no indentation at all.
bool endsRootLines(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    const std::string_view rest = line.substr(i);
    if (startsWithNoCase(rest, "object ") || startsWithNoCase(rest, "inherited ")
        || startsWithNoCase(rest, "inline "))
        return true;
    return i == 0 && textlines::trimView(rest).size() == 3 && startsWithNoCase(rest, "end");
}

} // namespace

bool RootHasCaption(const TStringList &lines)
{
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (contains(line, "object "))
            return false;
        if (contains(line, " Caption = "))
            return true;
    }
    return false;
}

void RemoveEnabledFalse(TStringList &lines)
{
    lines.removeIf([](const TStringList::Item &item) { return contains(item.text, " Enabled = False"); });
}

void RemoveRootVisibleTrue(TStringList &lines)
{
    removeFirstRootLine(lines, " Visible = True");
}

void RemoveMdiChildStyle(TStringList &lines)
{
    removeFirstRootLine(lines, " FormStyle = fsMDIChild");
}

void ResetActionManagerStyle(TStringList &lines)
{
    int i = 1;
    while (i < lines.count() && !contains(lines[i], ": TActionManager"))
        ++i;
    for (; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        const std::size_t at = line.find("StyleName =");
        if (at != std::string::npos) {
            lines.set(i, line.substr(0, at) + "StyleName = 'Platform Default'");
            return;
        }
    }
}

void FilterRootProperties(TStringList &lines, bool frameRoot)
{
    // Decide first, delete in one pass: a removed multi-line value can span
    // thousands of lines, and deleting them one by one would move the whole
    // text each time.
    std::vector<bool> drop(static_cast<std::size_t>(lines.count()), false);
    bool keep = false;
    bool any = false;
    int propertyIndent = -1;
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (contains(line, " object ") || endsRootLines(line))
            break;
        // Lines deeper than the property line above continue its value (a
        // collection's items have '=' lines of their own) and share its fate.
        const int indent = textlines::indentOf(line);
        const bool continuation = propertyIndent >= 0 && indent > propertyIndent;
        if (!continuation && line.find('=') != std::string::npos) {
            propertyIndent = indent;
            std::string key = textlines::trimmed(textlines::keyBeforeEquals(line));
            const std::size_t dot = key.find('.');
            if (dot != std::string::npos)
                key = key.substr(0, dot + 1);
            keep = kRootPropertyList.find(key) != std::string_view::npos || (frameRoot && key == "Size.");
        }
        if (!keep)
            drop[static_cast<std::size_t>(i)] = any = true;
    }
    if (!any)
        return;
    // remove_if applies the predicate to each line once, in order, where the
    // line stands before anything is moved, so its address gives its index.
    const TStringList::Item *first = lines.items().data();
    lines.removeIf([&drop, first](const TStringList::Item &item) {
        const auto index = static_cast<std::size_t>(&item - first);
        return index < drop.size() && drop[index];
    });
}

} // namespace vantor
