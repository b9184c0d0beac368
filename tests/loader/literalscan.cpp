#include "tests/loader/literalscan.h"

#include "loader/textlines.h"
#include "loader/variantmerge.h"

#include <stdexcept>

namespace vantor::test {

std::size_t &literalStepLimit()
{
    static std::size_t limit = 200'000'000;
    return limit;
}

namespace {

using rewrite::ScanLine;

struct VectorWindow
{
    std::vector<ScanLine> &v;
    std::size_t i;

    bool has(std::size_t m) const { return i + m < v.size(); }
    ScanLine &at(std::size_t m) { return v[i + m]; }
    std::size_t index() const { return i; }
    void erase(std::size_t m, std::size_t n)
    {
        const auto first = v.begin() + static_cast<std::ptrdiff_t>(i + m);
        v.erase(first, first + static_cast<std::ptrdiff_t>(n));
    }
    void insert(std::size_t m, std::vector<ScanLine> lines)
    {
        v.insert(v.begin() + static_cast<std::ptrdiff_t>(i + m), lines.begin(), lines.end());
    }
};

void literalScan(TStringList &lines, const rewrite::RuleSet &rules, RewriteScanState &state)
{
    std::vector<ScanLine> v;
    for (const auto &item : lines.items())
        v.push_back({item.text, item.tag, false});
    std::size_t steps = 0;
    std::size_t i = 0;
    while (i < v.size()) {
        if (++steps > literalStepLimit())
            throw std::runtime_error("literal scan does not end");
        VectorWindow w{v, i};
        if (rewrite::applyRules(w, state, rules))
            i = 0;
        else
            ++i;
    }
    lines.clear();
    for (ScanLine &line : v)
        lines.add(std::move(line.text), line.tag);
}

} // namespace

void literalRewriteScan(TStringList &lines, bool runtimeView, const TStringList &known, MissingClassLists missing,
                        RewriteScanState &state)
{
    rewrite::RuleSet rules;
    rules.designView = !runtimeView;
    rules.knownClasses = &known;
    rules.slMissing = &missing.slMissing;
    rules.slUnknownClassesOffset = &missing.slUnknownClassesOffset;
    literalScan(lines, rules, state);
}

void literalCheckForUnknownComponents(TStringList &sl, const TStringList *exported, const TStringList &known,
                                      MissingClassLists missing, bool &hasUnknown)
{
    hasUnknown = false;
    rewrite::RuleSet rules;
    rules.cleanupRules = false;
    rules.inheritedRule = false;
    rules.actionManagerRule = false;
    rules.pluginBlock = true;
    rules.knownClasses = &known;
    rules.exportedClasses = exported;
    rules.slMissing = &missing.slMissing;
    rules.slUnknownClassesOffset = &missing.slUnknownClassesOffset;
    rules.hasUnknownClasses = &hasUnknown;
    RewriteScanState state;
    literalScan(sl, rules, state);
}

void literalMergePlatformVariant(TStringList &working, TStringList &variantList)
{
    using textlines::contains;
    using textlines::indentOf;
    std::vector<std::string> variant = variantList.toVector();
    std::size_t passes = 0;
restart:
    if (++passes > 1'000'000)
        throw std::runtime_error("literal merge does not end");
    bool open = false;
    bool nested = false;
    std::string header;
    int indent = 0;
    std::size_t headerIndex = 0;
    std::vector<std::string> collected;
    const auto openAt = [&](std::size_t i) {
        open = true;
        header = variant[i];
        header.replace(header.find("inherited"), 9, "object");
        indent = indentOf(variant[i]);
        headerIndex = i;
        collected.clear();
    };
    for (std::size_t i = 0; i < variant.size(); ++i) {
        const std::string &line = variant[i];
        if (open) {
            if (contains(line, " inherited ")) {
                openAt(i);
                nested = true;
                continue;
            }
            if (indentOf(line) == indent) {
                MergeVariantBlock(working, collected, header);
                open = false;
                if (nested) {
                    variant.erase(variant.begin() + static_cast<std::ptrdiff_t>(headerIndex),
                                  variant.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                    goto restart;
                }
            } else {
                collected.push_back(line);
                continue;
            }
        }
        if (!open && contains(line, " inherited "))
            openAt(i);
    }
    variantList.clear();
}

} // namespace vantor::test
