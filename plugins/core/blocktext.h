#pragma once

// A forgiving reading of a component's block of form text, for components
// that a plug-in library shows as a card rather than builds: the header, the
// property lines with their values as written, nested objects, collection
// items. Values are not checked against any class; what a card needs is
// taken from them by name.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace vantor::plugin {

struct BlockValue
{
    enum class Kind { Plain, String, List, Set, Binary, Collection };
    Kind kind = Kind::Plain;
    // Plain: the value as written (a number, an identifier, a reference);
    // String: the decoded text; Set: the text between the brackets.
    QString text;
    // List: the decoded entries.
    QStringList list;
    // Collection: each item's own property lines (nested values kept as text).
    std::vector<std::vector<std::pair<QString, BlockValue>>> items;
};

struct BlockNode
{
    QString keyword; // object, inherited, inline
    QString name;
    QString className;
    std::vector<std::pair<QString, BlockValue>> properties;
    std::vector<BlockNode> children;

    // The property of that path (case ignored), or nullptr.
    const BlockValue *find(const QString &path) const;
    // What a card shows for the property: a string's text, a reference's
    // name, a list's first line, "3 Einträge" for a collection; empty when absent.
    QString show(const QString &path) const;
};

// Reads one component's block: its header line first, its "end" last.
// Raises vantor::Exception with the reason when the text is not a block.
BlockNode parseBlock(const std::vector<std::string> &lines);

// Decodes one string value as forms write it: quoted runs, #nn characters,
// pieces joined by "+". Raises vantor::Exception when it is not one.
QString decodeStringValue(const QString &text);

} // namespace vantor::plugin
