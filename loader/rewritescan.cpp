#include "loader/rewritescan.h"

#include "loader/rewriterules.h"
#include "streams/stringlist.h"

#include <utility>
#include <vector>

namespace vantor {

namespace {

using rewrite::ScanLine;

// The text split at the current line: the lines already passed, and the
// rest in reverse order, so the current line is the last element and every
// edit near it (the rules only touch the current line and the block after
// it) moves a handful of elements.
class GapWindow
{
public:
    explicit GapWindow(const TStringList &lines)
    {
        const auto &items = lines.items();
        m_rest.reserve(items.size());
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            m_rest.push_back({it->text, it->tag, false});
        m_passed.reserve(items.size());
    }

    bool atEnd() const { return m_rest.empty(); }
    bool has(std::size_t m) const { return m < m_rest.size(); }
    ScanLine &at(std::size_t m) { return m_rest[m_rest.size() - 1 - m]; }
    std::size_t index() const { return m_passed.size(); }

    void erase(std::size_t m, std::size_t n)
    {
        const auto end = m_rest.end() - static_cast<std::ptrdiff_t>(m);
        m_rest.erase(end - static_cast<std::ptrdiff_t>(n), end);
    }
    void insert(std::size_t m, std::vector<ScanLine> lines)
    {
        m_rest.insert(m_rest.end() - static_cast<std::ptrdiff_t>(m), std::make_move_iterator(lines.rbegin()),
                      std::make_move_iterator(lines.rend()));
    }

    // Moves the current line to the passed ones.
    void advance()
    {
        m_passed.push_back(std::move(m_rest.back()));
        m_rest.pop_back();
    }
    // Makes passed line j the current line again.
    void rewindTo(std::size_t j)
    {
        while (m_passed.size() > j) {
            m_rest.push_back(std::move(m_passed.back()));
            m_passed.pop_back();
        }
    }
    std::vector<ScanLine> &passed() { return m_passed; }

    void writeBack(TStringList &lines)
    {
        lines.clear();
        for (ScanLine &line : m_passed)
            lines.add(std::move(line.text), line.tag);
    }

private:
    std::vector<ScanLine> m_passed;
    std::vector<ScanLine> m_rest;
};

// The literal scan walks from line 0 again after every change, with the
// state the change left. Lines before the change did not change in the walk
// just made, and only the action-manager state can make a rule act
// differently on them; so the new walk is the old one again from the first
// line where its state acts like the old walk's state there. Until then, the
// passed lines are asked again (without changing anything) in the new state.
//
// stateBefore[j] is the state the current walk had when it reached passed
// line j. Returns the state with which the walk goes on at the current line
// (after rewinding the window when a passed line now has to change).
// What of a walk's state can steer a rule, kept for every passed line.
struct StateEffect
{
    bool inActionManager = false;
    int actionManagerIndent = 0;

    StateEffect() = default;
    explicit StateEffect(const RewriteScanState &s)
        : inActionManager(s.inActionManager()), actionManagerIndent(s.actionManagerIndent)
    {
    }
    bool operator==(const StateEffect &) const = default;
};

RewriteScanState walkAgain(GapWindow &w, std::vector<StateEffect> &stateBefore,
                           RewriteScanState state, const RewriteScanState &stateAtChange,
                           const rewrite::RuleSet &rules)
{
    std::vector<ScanLine> &passed = w.passed();
    for (std::size_t j = 0; j < passed.size(); ++j) {
        if (StateEffect(state) == stateBefore[j])
            return stateAtChange; // from here on the walk repeats the old one
        const rewrite::Verdict v = rewrite::classify(passed[j], state, rules);
        if (rewrite::changesText(v.action)) {
            w.rewindTo(j);
            stateBefore.resize(j);
            return state;
        }
        stateBefore[j] = StateEffect(state);
        rewrite::updateState(v, passed[j], state, rules);
    }
    return state;
}

void runScan(TStringList &lines, const rewrite::RuleSet &rules, RewriteScanState &state)
{
    GapWindow w(lines);
    std::vector<StateEffect> stateBefore;
    stateBefore.reserve(static_cast<std::size_t>(lines.count()));
    while (!w.atEnd()) {
        const RewriteScanState before = state;
        if (rewrite::applyRules(w, state, rules)) {
            state = walkAgain(w, stateBefore, state, before, rules);
            continue;
        }
        stateBefore.emplace_back(before);
        w.advance();
    }
    w.writeBack(lines);
}

} // namespace

void RewriteScan(TStringList &lines, bool runtimeView, const TStringList &slKnownClasses,
                 MissingClassLists missing, RewriteScanState &state)
{
    rewrite::RuleSet rules;
    rules.designView = !runtimeView;
    rules.knownClasses = &slKnownClasses;
    rules.slMissing = &missing.slMissing;
    rules.slUnknownClassesOffset = &missing.slUnknownClassesOffset;
    runScan(lines, rules, state);
}

void CheckForUnknownComponents(TStringList &sl, const TStringList *slExportedClasses,
                               const TStringList &slKnownClasses, MissingClassLists missing,
                               bool &HasUnknownClasses)
{
    HasUnknownClasses = false;
    rewrite::RuleSet rules;
    rules.cleanupRules = false;
    rules.inheritedRule = false;
    rules.actionManagerRule = false;
    rules.pluginBlock = true;
    rules.knownClasses = &slKnownClasses;
    rules.exportedClasses = slExportedClasses;
    rules.slMissing = &missing.slMissing;
    rules.slUnknownClassesOffset = &missing.slUnknownClassesOffset;
    rules.hasUnknownClasses = &HasUnknownClasses;
    RewriteScanState state;
    runScan(sl, rules, state);
}

} // namespace vantor
