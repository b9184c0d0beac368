#include "loader/formtree.h"

#include "loader/textlines.h"
#include "streams/lineutils.h"
#include "streams/stringlist.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

namespace vantor {

namespace {

using textlines::trimView;

struct HeaderKeyword
{
    std::string_view word;
    FormTreeNode::Header header;
};

constexpr std::array<HeaderKeyword, 3> kHeaderKeywords = {{
    {"object ", FormTreeNode::Header::Object},
    {"inherited ", FormTreeNode::Header::Inherited},
    {"inline ", FormTreeNode::Header::Inline},
}};

// Reads a header line (the root's at indent 0, the others indented) into
// node; false when the line is no header.
bool readHeader(std::string_view line, bool root, FormTreeNode &node)
{
    const auto indent = static_cast<std::size_t>(textlines::indentOf(line));
    if (root != (indent == 0))
        return false;
    const std::string_view rest = line.substr(indent);
    for (const HeaderKeyword &k : kHeaderKeywords) {
        if (!rest.starts_with(k.word))
            continue;
        node.header = k.header;
        const std::string_view afterKeyword = rest.substr(k.word.size());
        if (afterKeyword.find(':') != std::string_view::npos) {
            node.name = std::string(trimView(afterKeyword.substr(0, afterKeyword.find(':'))));
            node.className = std::string(textlines::classAfterColon(afterKeyword));
        } else {
            node.name.clear();
            node.className = std::string(textlines::unnamedHeaderClass(rest));
        }
        return true;
    }
    return false;
}

bool isEndLine(std::string_view trimmed) { return trimmed == "end"; }

// Keys that only a control writes: where it stands and how large it is.
bool isGeometryKey(std::string_view key)
{
    static constexpr std::array<std::string_view, 8> exact = {"Width", "Height", "Align", "Anchors",
                                                               "ClientWidth", "ClientHeight", "Position", "Size"};
    static constexpr std::array<std::string_view, 4> prefixes = {"Position.", "Size.", "Margins.", "Padding."};
    for (std::string_view e : exact)
        if (key == e)
            return true;
    for (std::string_view p : prefixes)
        if (key.starts_with(p))
            return true;
    return false;
}

// Code points of a UTF-8 text.
std::size_t codePoints(std::string_view text)
{
    std::size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}


void appendUtf8(std::string &out, std::uint32_t cp)
{
    if (cp >= 0xD800 && cp <= 0xDFFF)
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads one string expression of the form text at pos: quoted parts ('' for
// a quote), character codes (#13, #$0D) and '+' between them. Appends the
// text to out; pos ends after the expression.
void readStringExpression(std::string_view text, std::size_t &pos, std::string &out)
{
    for (;;) {
        if (pos < text.size() && text[pos] == '\'') {
            ++pos;
            while (pos < text.size()) {
                if (text[pos] == '\'') {
                    if (pos + 1 < text.size() && text[pos + 1] == '\'') {
                        out += '\'';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                out += text[pos++];
            }
        } else if (pos < text.size() && text[pos] == '#') {
            ++pos;
            std::uint32_t cp = 0;
            const bool hex = pos < text.size() && text[pos] == '$';
            pos += hex;
            while (pos < text.size()) {
                const char c = text[pos];
                const int digit = (c >= '0' && c <= '9')             ? c - '0'
                                : (hex && c >= 'a' && c <= 'f') ? c - 'a' + 10
                                : (hex && c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                                 : -1;
                if (digit < 0)
                    break;
                cp = std::min<std::uint32_t>(cp * (hex ? 16 : 10) + std::uint32_t(digit), 0x10FFFF);
                ++pos;
            }
            appendUtf8(out, cp);
        } else {
            return;
        }
        // A part right after another ('a'#13'b') joins it; so does one after
        // a '+', with blanks and line breaks around it.
        if (pos < text.size() && (text[pos] == '\'' || text[pos] == '#'))
            continue;
        std::size_t next = pos;
        while (next < text.size() && isBlank(text[next]))
            ++next;
        if (next >= text.size() || text[next] != '+')
            return;
        ++next;
        while (next < text.size() && isBlank(text[next]))
            ++next;
        pos = next;
    }
}

// Items of a list value "( ... )": string expressions, numbers, identifiers.
std::size_t listItems(std::string_view value)
{
    std::size_t pos = value.find('(');
    if (pos == std::string_view::npos)
        return 0;
    ++pos;
    std::size_t items = 0;
    std::string scratch;
    for (;;) {
        while (pos < value.size() && isBlank(value[pos]))
            ++pos;
        if (pos >= value.size() || value[pos] == ')')
            return items;
        ++items;
        if (value[pos] == '\'' || value[pos] == '#') {
            scratch.clear();
            readStringExpression(value, pos, scratch);
        } else {
            while (pos < value.size() && !isBlank(value[pos]) && value[pos] != ')')
                ++pos;
        }
    }
}

// Items of a collection value "< item ... end >" at its own level.
std::size_t collectionItems(const std::vector<std::string_view> &lines)
{
    std::size_t items = 0;
    int depth = 0;
    for (std::string_view t : lines) {
        if (t.ends_with("<>"))
            continue;
        if (t.ends_with("<")) {
            ++depth;
            continue;
        }
        if (depth == 1 && t == "item")
            ++items;
        if (t.ends_with(">"))
            --depth;
    }
    return items;
}

std::size_t hexDigits(std::string_view value)
{
    std::size_t n = 0;
    for (char c : value)
        n += (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return n;
}

std::string counted(std::size_t n, const char *one, const char *many)
{
    return groupedNumber(static_cast<long long>(n)) + " " + (n == 1 ? one : many);
}

// The value on one line: short ones as they are, the others cut with their size.
std::string shownValue(const FormProperty &p, const std::vector<std::string_view> &valueLines)
{
    const bool oneLine = p.value.find('\n') == std::string::npos;
    if (oneLine && codePoints(p.value) <= kShownValueChars)
        return p.value;
    switch (p.kind) {
    case FormProperty::Kind::String: {
        std::string text;
        std::size_t pos = 0;
        readStringExpression(p.value, pos, text);
        std::string preview(textlines::firstCodePoints(text, 40));
        std::replace_if(preview.begin(), preview.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
                        ' ');
        return "'" + preview + (codePoints(text) > 40 ? "…'" : "'") + " (" + counted(codePoints(text), "Zeichen", "Zeichen")
             + ")";
    }
    case FormProperty::Kind::List:
        return "(…) " + counted(listItems(p.value), "Eintrag", "Einträge");
    case FormProperty::Kind::Collection:
        return "<…> " + counted(collectionItems(valueLines), "Element", "Elemente");
    case FormProperty::Kind::Binary:
        return "{…} " + counted(hexDigits(p.value) / 2, "Byte", "Bytes");
    case FormProperty::Kind::Plain:
        break;
    }
    std::string firstLine = p.value.substr(0, p.value.find('\n'));
    return std::string(textlines::firstCodePoints(firstLine, kShownValueChars)) + "… ("
         + counted(codePoints(p.value), "Zeichen", "Zeichen") + ")";
}

FormProperty::Kind kindOf(std::string_view value)
{
    if (value.empty())
        return FormProperty::Kind::Plain;
    switch (value.front()) {
    case '\'':
    case '#':
        return FormProperty::Kind::String;
    case '(':
        return FormProperty::Kind::List;
    case '<':
        return FormProperty::Kind::Collection;
    case '{':
        return FormProperty::Kind::Binary;
    default:
        return FormProperty::Kind::Plain;
    }
}

// Walks the own property lines of a node: calls visit(first, end) for each
// property, end one past its last line.
template<typename Visit>
void forEachOwnProperty(const TStringList &text, const FormTree &tree, int index, Visit visit)
{
    const FormTreeNode &node = tree.nodes[std::size_t(index)];
    // The children's blocks, in order: they follow the node in the list.
    std::vector<std::pair<int, int>> children;
    for (std::size_t c = std::size_t(index) + 1; c < tree.nodes.size() && tree.nodes[c].depth > node.depth; ++c)
        if (tree.nodes[c].parent == index)
            children.emplace_back(tree.nodes[c].line, tree.nodes[c].endLine);
    std::size_t nextChild = 0;
    const int last = std::min(node.endLine, text.count() - 1);
    int i = node.line + 1;
    while (i <= last) {
        if (nextChild < children.size() && i >= children[nextChild].first) {
            i = children[nextChild].second + 1;
            ++nextChild;
            continue;
        }
        const std::string &line = text[i];
        const std::string_view trimmed = trimView(line);
        if (i == node.endLine && isEndLine(trimmed))
            break;
        if (trimmed.empty()) {
            ++i;
            continue;
        }
        const int indent = textlines::indentOf(line);
        int end = i + 1;
        const int stop = nextChild < children.size() ? children[nextChild].first : last + 1;
        while (end < stop && end <= last && textlines::indentOf(text[end]) > indent
               && !(end == node.endLine && isEndLine(trimView(text[end]))))
            ++end;
        visit(i, end);
        i = end;
    }
}

} // namespace

std::string groupedNumber(long long n)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

FormTree BuildFormTree(const TStringList &text, const FormTreeSources &sources)
{
    FormTree tree;
    if (text.empty())
        return tree;
    FormTreeNode root;
    const std::string_view rootLine = sources.rootHeader.empty() ? std::string_view(text[0]) : sources.rootHeader;
    if (!readHeader(rootLine, true, root) && !readHeader(text[0], true, root))
        return tree;
    root.endLine = text.count() - 1;
    tree.nodes.push_back(std::move(root));

    std::unordered_map<int, std::string_view> placeholderAt;
    if (sources.placeholders)
        for (const TStringList::Item &entry : sources.placeholders->items())
            placeholderAt.emplace(entry.tag, entry.text);

    // The open blocks, innermost last, with their headers' indentation.
    std::vector<std::pair<int, int>> open{{0, 0}};
    for (int i = 1; i < text.count() && !open.empty(); ++i) {
        const std::string &line = text[i];
        const int indent = textlines::indentOf(line);
        const std::string_view trimmed = trimView(line);
        if (trimmed.empty())
            continue;
        bool closedByEnd = false;
        while (!open.empty() && indent <= open.back().second) {
            FormTreeNode &node = tree.nodes[std::size_t(open.back().first)];
            if (indent == open.back().second && isEndLine(trimmed)) {
                node.endLine = i;
                open.pop_back();
                closedByEnd = true;
                break;
            }
            node.endLine = i - 1;
            open.pop_back();
        }
        if (closedByEnd || open.empty())
            continue;
        FormTreeNode node;
        if (!readHeader(line, false, node))
            continue;
        const int parent = open.back().first;
        const FormTreeNode &up = tree.nodes[std::size_t(parent)];
        node.line = i;
        node.endLine = text.count() - 1;
        node.depth = up.depth + 1;
        node.parent = parent;
        node.built = up.built && !up.placeholder && !(up.parent >= 0 && up.header == FormTreeNode::Header::Inherited);
        if (const auto it = placeholderAt.find(i); it != placeholderAt.end() && it->second == node.className)
            node.placeholder = true;
        tree.nodes.push_back(std::move(node));
        open.emplace_back(int(tree.nodes.size()) - 1, indent);
    }

    // Non-visual: a child of a component that is non-visual by its class (a
    // popup menu's items); else by the class when it is known; else a child
    // of a non-visual component, or a block that has property lines but
    // none that places or sizes it (a designer's Left and Top place no
    // control). A block without property lines tells nothing and counts as
    // a control.
    std::vector<bool> byItsClass(tree.nodes.size(), false);
    for (std::size_t n = 1; n < tree.nodes.size(); ++n) {
        FormTreeNode &node = tree.nodes[n];
        const std::size_t up = std::size_t(node.parent);
        if (up > 0 && tree.nodes[up].nonVisual && byItsClass[up]) {
            node.nonVisual = byItsClass[n] = true;
            continue;
        }
        if (const std::optional<bool> byClass = sources.nonVisualClass ? sources.nonVisualClass(node.className)
                                                                        : std::nullopt) {
            node.nonVisual = byItsClass[n] = *byClass;
            continue;
        }
        if (up > 0 && tree.nodes[up].nonVisual) {
            node.nonVisual = true;
            continue;
        }
        bool lines = false;
        bool geometry = false;
        forEachOwnProperty(text, tree, int(n), [&](int first, int) {
            lines = true;
            geometry = geometry || isGeometryKey(textlines::keyBeforeEquals(text[first]));
        });
        node.nonVisual = lines && !geometry;
    }
    return tree;
}

std::string FormTreeMarks(const FormTreeNode &node)
{
    std::string marks;
    const auto add = [&marks](const char *mark) {
        if (!marks.empty())
            marks += ", ";
        marks += mark;
    };
    if (node.placeholder)
        add("Platzhalter");
    if (node.header == FormTreeNode::Header::Inherited)
        add("geerbt");
    if (node.header == FormTreeNode::Header::Inline)
        add("inline");
    if (node.nonVisual)
        add("nicht visuell");
    return marks;
}

std::string FormTreeLine(const FormTreeNode &node)
{
    std::string line = textlines::blanks(2 * node.depth);
    line += node.name.empty() ? node.className : node.name + ": " + node.className;
    if (const std::string marks = FormTreeMarks(node); !marks.empty())
        line += "  [" + marks + "]";
    return line;
}

std::vector<FormProperty> NodeProperties(const TStringList &text, const FormTree &tree, int node)
{
    std::vector<FormProperty> properties;
    if (node < 0 || std::size_t(node) >= tree.nodes.size())
        return properties;
    std::vector<std::string_view> valueLines;
    forEachOwnProperty(text, tree, node, [&](int first, int end) {
        FormProperty p;
        const std::string &line = text[first];
        p.name = std::string(textlines::keyBeforeEquals(line));
        p.line = first;
        p.lineCount = end - first;
        p.event = IsEventLine(line);
        valueLines.clear();
        const bool hasEquals = line.find('=') != std::string::npos;
        const std::string_view head = hasEquals ? textlines::valueAfterEquals(line) : std::string_view();
        if (!head.empty())
            valueLines.push_back(head);
        for (int i = first + 1; i < end; ++i)
            valueLines.push_back(trimView(text[i]));
        for (std::size_t i = 0; i < valueLines.size(); ++i) {
            if (i > 0)
                p.value += '\n';
            p.value += valueLines[i];
        }
        p.kind = kindOf(p.value);
        p.shown = shownValue(p, valueLines);
        properties.push_back(std::move(p));
    });
    return properties;
}

} // namespace vantor
