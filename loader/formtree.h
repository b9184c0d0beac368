#pragma once

// The component tree of a form text as the file writes it, and the property
// lines of one component's block. The structure pane of the main window and
// `vantor-tool tree` both show what this builds; it needs nothing but the
// text (and, for two of the marks, what the load learnt about the classes).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TStringList;

struct FormTreeNode
{
    enum class Header {
        Object,    // "object Name: TClass"
        Inherited, // "inherited Name: TClass": the viewer shows a label in its place
        Inline,    // "inline Name: TClass": a frame instance
    };

    std::string name;      // as the header has it; empty for an unnamed component
    std::string className; // as the header has it, without a child position "[n]"
    Header header = Header::Object;
    int line = 0;          // the header's index in the text
    int endLine = 0;       // the last line of the block (its "end"), inclusive
    int depth = 0;         // 0 for the root
    int parent = -1;       // index of the parent node; -1 for the root
    // The load put a placeholder label for the missing class in its place.
    bool placeholder = false;
    // No control: a timer, a menu, an action list, an animation.
    bool nonVisual = false;
    // False for components inside a block the load replaced as a whole (a
    // placeholder's or an inherited component's children): the shown form
    // has nothing for them.
    bool built = true;
};

// Every component of the text, depth first in file order; nodes[0] is the root.
struct FormTree
{
    std::vector<FormTreeNode> nodes;
};

// What decides a class's nature: true when the class is non-visual, false
// when it is a control, nothing when the class is not known (its block's
// property lines decide then).
using NonVisualClassTest = std::function<std::optional<bool>(std::string_view className)>;

struct FormTreeSources
{
    // The load's placeholders: one entry per placeholder, the class tagged
    // with its header's line (the loader's slUnknownClassesOffset). May be null.
    const TStringList *placeholders = nullptr;
    // The root header as the file writes it, when the text has another one
    // (the loader renames a form's root); empty keeps line 0.
    std::string rootHeader;
    NonVisualClassTest nonVisualClass;
};

// Builds the tree. A text without a root header gives an empty tree; a block
// without its "end" ends where a line no deeper than its header begins.
FormTree BuildFormTree(const TStringList &text, const FormTreeSources &sources = {});

// The marks of a node, in this order, joined by ", ": "Platzhalter",
// "geerbt", "inline", "nicht visuell". Empty when it has none.
std::string FormTreeMarks(const FormTreeNode &node);

// One line of the printed tree: two blanks per depth, "Name: Class" (the
// class alone for an unnamed component), then the marks in brackets.
std::string FormTreeLine(const FormTreeNode &node);

struct FormProperty
{
    enum class Kind {
        Plain,      // a number, identifier, set or one-line string
        String,     // a string that goes on over more lines or is long
        List,       // "( ... )"
        Collection, // "< item ... end >"
        Binary,     // "{ ... }"
    };

    std::string name;   // "Position.X", "Items.Strings", "OnClick"
    std::string value;  // the whole value: its lines trimmed, joined by '\n'
    std::string shown;  // the value on one line, long ones shortened with their size
    Kind kind = Kind::Plain;
    int line = 0;       // the property's first line in the text
    int lineCount = 1;
    bool event = false; // an event assignment, as the loader tells them
};

// The property lines of the node's own block, in file order: the lines
// between its header and its end that belong to none of its children. A
// value goes on over the following lines indented deeper than its first.
std::vector<FormProperty> NodeProperties(const TStringList &text, const FormTree &tree, int node);

// A value of more than this many characters is shortened even on one line.
inline constexpr std::size_t kShownValueChars = 60;

// A number with '.' between groups of three digits, as German texts write it.
std::string groupedNumber(long long n);

} // namespace vantor
