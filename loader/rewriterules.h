#pragma once

// The line rules of the rewrite scan, written once for any way of walking the
// text. A walker offers a window on the text at the current line:
//   bool has(std::size_t m) const;      a line m places after the current one exists
//   ScanLine &at(std::size_t m);        that line (m = 0: the current line)
//   void erase(std::size_t m, std::size_t n);            delete n lines from offset m
//   void insert(std::size_t m, std::vector<ScanLine> lines); insert before offset m
//   std::size_t index() const;          the current line's index in the whole text
// The shipped scan (rewritescan.cpp) keeps its place; the tests drive the same
// rules with a scan that starts again at line 0 after every change.

#include "loader/rewritescan.h"
#include "loader/textlines.h"
#include "streams/stringlist.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::rewrite {

struct ScanLine
{
    std::string text;
    int tag = 0;
    bool substituted = false; // a placeholder header: never substituted again
};

struct RuleSet
{
    bool designView = false;       // delete " Visible = False"
    bool cleanupRules = true;      // the clean-up deletions and inline → object
    bool inheritedRule = true;     // inherited components become "AAA_" labels
    bool actionManagerRule = true; // pass over blocks inside an action manager
    bool pluginBlock = false;      // keep Left/Top (plug-in block) instead of Position.X/Y
    const TStringList *knownClasses = nullptr;
    const TStringList *exportedClasses = nullptr; // looked up first; may be null
    TStringList *slMissing = nullptr;
    TStringList *slUnknownClassesOffset = nullptr;
    bool *hasUnknownClasses = nullptr;
};

enum class Action {
    None,              // no rule applies
    DeleteLine,        // a clean-up deletion
    InlineToObject,    // "inline" header becomes "object"
    Inherited,         // inherited component → "AAA_" label
    ActionManager,     // an action manager's header: remember it
    PassOver,          // a line inside an action manager
    KeepHeader,        // known class, placeholder already, or no class to rewrite
    Substitute,        // unknown class → placeholder
};

inline bool changesText(Action a)
{
    return a == Action::DeleteLine || a == Action::InlineToObject || a == Action::Inherited
        || a == Action::Substitute;
}

struct Verdict
{
    Action action = Action::None;
    std::string_view cls; // for headers: the class as it stands in the line
    std::size_t classPos = std::string_view::npos;
    bool named = true;
};

inline bool isKnown(std::string_view cls, const RuleSet &rules)
{
    if (rules.exportedClasses && rules.exportedClasses->indexOf(cls) >= 0)
        return true;
    int at = 0;
    return rules.knownClasses && rules.knownClasses->find(cls, at);
}

// Which rule acts on a line, given the scan state. Looks at nothing but the
// line, so it can be asked again about a line without changing anything.
inline Verdict classify(const ScanLine &line, const RewriteScanState &state, const RuleSet &rules)
{
    using textlines::contains;
    const std::string_view text = line.text;
    Verdict v;
    if (rules.cleanupRules) {
        if ((rules.designView && contains(text, " Visible = False")) || contains(text, "DoubleBuffered")
            || contains(text, " ShowCaption = ") || contains(text, " DrawingStyle = ")) {
            v.action = Action::DeleteLine;
            return v;
        }
        if (textlines::isHeaderWith(text, "inline ")) {
            v.action = Action::InlineToObject;
            return v;
        }
        if (contains(text, " OldCreateOrder = ")) {
            v.action = Action::DeleteLine;
            return v;
        }
    }
    if (rules.inheritedRule && textlines::isHeaderWith(text, "inherited ")) {
        v.action = Action::Inherited;
        return v;
    }
    if (rules.actionManagerRule) {
        if (contains(text, ": TActionManager")) {
            v.action = Action::ActionManager;
            return v;
        }
        if (state.inActionManager() && textlines::indentOf(text) > state.actionManagerIndent) {
            v.action = Action::PassOver;
            return v;
        }
    }
    if (!textlines::isHeaderWith(text, "object "))
        return v;
    v.named = text.find(':') != std::string_view::npos;
    v.cls = v.named ? textlines::classAfterColon(text, &v.classPos) : textlines::unnamedHeaderClass(text, &v.classPos);
    v.action = (v.cls.empty() || line.substituted || isKnown(v.cls, rules)) ? Action::KeepHeader : Action::Substitute;
    return v;
}

// The state change a verdict brings; the only state rules read is the
// action-manager part, so a scan without that rule keeps no state.
inline void updateState(const Verdict &v, const ScanLine &line, RewriteScanState &state, const RuleSet &rules)
{
    if (!rules.actionManagerRule)
        return;
    if (v.action == Action::ActionManager) {
        state.currentClass = "TActionManager";
        state.actionManagerIndent = textlines::indentOf(line.text);
    } else if (v.action == Action::KeepHeader || v.action == Action::Substitute) {
        state.currentClass = std::string(v.cls);
    }
}

// Whether a line opens a block (the headers the scan rewrites).
inline bool isBlockHeader(std::string_view text)
{
    return textlines::isHeaderWith(text, "object ") || textlines::isHeaderWith(text, "inherited ")
        || textlines::isHeaderWith(text, "inline ");
}

// FindPropertyLine on a window, for several keys at once: out[k] is, from the
// line after the current one, the first line holding keys[k]; empty at a line
// holding " end" or " object " first. The header of a following block is
// never taken for a property line, even when it holds the key ("object Width
// 1: TFoo"): its copy among a placeholder's kept lines would be a new header
// to substitute, which would keep a copy of the header after it, and so on
// without end. All keys are looked for in one walk over the lines: a
// placeholder for a block of thousands of lines (an image's data) was walked
// once for each key before.
template<typename Window, std::size_t N>
std::array<std::string, N> findProperties(Window &w, const std::array<std::string_view, N> &keys)
{
    using textlines::contains;
    std::array<std::string, N> out;
    std::array<bool, N> done{};
    std::size_t left = N;
    for (std::size_t m = 1; left > 0 && w.has(m); ++m) {
        const std::string &text = w.at(m).text;
        if (isBlockHeader(text))
            break;
        for (std::size_t k = 0; k < N; ++k)
            if (!done[k] && contains(text, keys[k])) {
                out[k] = text;
                done[k] = true;
                --left;
            }
        if (contains(text, " end") || contains(text, " object "))
            break;
    }
    return out;
}

// Number of lines after the current one that are indented deeper than indent.
template<typename Window>
std::size_t deeperRun(Window &w, int indent, std::size_t from = 1)
{
    std::size_t m = from;
    while (w.has(m) && textlines::indentOf(w.at(m).text) > indent)
        ++m;
    return m - from;
}

// A text as a string value: quotes doubled.
inline std::string quoted(std::string_view text)
{
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    out += '\'';
    return out;
}

template<typename Window>
void replaceInherited(Window &w)
{
    ScanLine &header = w.at(0);
    const std::string text = header.text;
    const int h = textlines::indentOf(text);
    std::string name;
    std::string cls;
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        const std::size_t after = static_cast<std::size_t>(h) + std::string_view("inherited").size();
        name = colon > after ? textlines::trimmed(std::string_view(text).substr(after, colon - after)) : std::string();
        cls = std::string(textlines::classAfterColon(text));
    } else {
        // An unnamed component gets a name of its own, as the substitution derives one.
        cls = std::string(textlines::unnamedHeaderClass(text));
        name = (cls.empty() ? std::string() : cls.substr(1)) + std::to_string(w.index());
    }
    const int g = w.has(1) ? textlines::indentOf(w.at(1).text) : h + 2;
    header.text = textlines::blanks(h) + "object AAA_" + name + ": TLabel";
    w.erase(1, deeperRun(w, h));
    std::vector<ScanLine> added;
    added.push_back({textlines::blanks(g) + "Height = 30"});
    added.push_back({textlines::blanks(g) + "Align = alTop"});
    added.push_back({textlines::blanks(g) + "Text = " + quoted("Inherited " + name + ": " + cls)});
    w.insert(1, std::move(added));
}

template<typename Window>
void substitute(Window &w, const Verdict &v, const RuleSet &rules)
{
    ScanLine &header = w.at(0);
    const std::string cls(v.cls);
    const int h = textlines::indentOf(header.text);
    const int n = header.tag;
    if (rules.slMissing)
        rules.slMissing->add(cls);
    if (rules.slUnknownClassesOffset)
        rules.slUnknownClassesOffset->add(cls, n);
    if (rules.hasUnknownClasses)
        *rules.hasUnknownClasses = true;

    // The class is replaced where it stands, so a name holding the class text stays.
    const std::string replacement = v.named ? std::string("TLabel")
                                            : cls.substr(1) + std::to_string(w.index()) + ": TLabel";
    header.text.replace(v.classPos, cls.size(), replacement);
    header.substituted = true;

    std::vector<ScanLine> kept;
    // The kept lines, in this order: the vertical place first.
    const std::array<std::string_view, 5> keys = rules.pluginBlock
        ? std::array<std::string_view, 5>{" Top ", " Left ", " Width ", " Height ", " Align "}
        : std::array<std::string_view, 5>{" Position.Y ", " Position.X ", " Width ", " Height ", " Align "};
    for (std::string &line : findProperties(w, keys))
        if (!line.empty())
            kept.push_back({std::move(line)});
    const std::string indent = textlines::blanks(h + 2);
    kept.push_back({indent + "Text = " + quoted("@" + cls)});
    kept.push_back({indent + "Tag = " + std::to_string(n)});
    // Labels take no pointer input by default; a placeholder must, so a click
    // on it can name the missing class.
    kept.push_back({indent + "HitTest = True"});
    w.erase(1, deeperRun(w, h));
    w.insert(1, std::move(kept));
}

// Applies the first rule that acts on the current line. Returns true when the
// text changed (the literal scan then starts again at line 0).
template<typename Window>
bool applyRules(Window &w, RewriteScanState &state, const RuleSet &rules)
{
    ScanLine &line = w.at(0);
    const Verdict v = classify(line, state, rules);
    updateState(v, line, state, rules);
    switch (v.action) {
    case Action::DeleteLine:
        w.erase(0, 1);
        return true;
    case Action::InlineToObject: {
        const auto indent = static_cast<std::size_t>(textlines::indentOf(line.text));
        line.text.replace(indent, std::string_view("inline").size(), "object");
        return true;
    }
    case Action::Inherited:
        replaceInherited(w);
        return true;
    case Action::Substitute:
        substitute(w, v, rules);
        return true;
    case Action::None:
    case Action::ActionManager:
    case Action::PassOver:
    case Action::KeepHeader:
        break;
    }
    return false;
}

} // namespace vantor::rewrite
