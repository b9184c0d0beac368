// The shipped passes keep their place where the plain reading of the rules
// starts again at line 0 after every change. Both must reach the same text,
// tags and lists, on generated forms of every shape and on the fixtures.

#include "loader/cleanup.h"
#include "loader/rewritescan.h"
#include "loader/variantmerge.h"

#include "streams/lineutils.h"
#include "streams/stringlist.h"
#include "tests/loader/formgenerator.h"
#include "tests/loader/literalscan.h"
#include "tests/loader/passesfixture.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

struct Outcome
{
    std::vector<std::pair<std::string, int>> text;
    std::vector<std::string> missing;
    std::vector<std::pair<std::string, int>> offsets;
    bool inActionManager = false;
    int actionManagerIndent = 0;

    bool operator==(const Outcome &) const = default;
};

template<typename Scan>
Outcome runScan(const TStringList &input, bool runtimeView, Scan scanFn)
{
    TStringList lines = input;
    TStringList missing = missingList();
    TStringList offsets;
    RewriteScanState state;
    scanFn(lines, runtimeView, knownClasses(), MissingClassLists{missing, offsets}, state);
    return {linesWithTags(lines), linesOf(missing), linesWithTags(offsets), state.inActionManager(),
            state.actionManagerIndent};
}

void expectScansAgree(const TStringList &input, const std::string &what)
{
    for (bool runtimeView : {true, false}) {
        SCOPED_TRACE(what + (runtimeView ? " run-time view" : " design-time view"));
        const Outcome shipped = runScan(input, runtimeView, RewriteScan);
        const Outcome literal = runScan(input, runtimeView, literalRewriteScan);
        EXPECT_EQ(shipped.text, literal.text);
        EXPECT_EQ(shipped.missing, literal.missing);
        EXPECT_EQ(shipped.offsets, literal.offsets);
        EXPECT_EQ(shipped.inActionManager, literal.inActionManager);
        EXPECT_EQ(shipped.actionManagerIndent, literal.actionManagerIndent);
    }
}

void expectPluginScansAgree(const TStringList &input, const std::string &what)
{
    SCOPED_TRACE(what);
    TStringList exported;
    exported.add("TText");
    exported.add("TPath");
    TStringList a = input, b = input;
    TStringList missingA = missingList(), missingB = missingList(), offsetsA, offsetsB;
    bool unknownA = false, unknownB = false;
    CheckForUnknownComponents(a, &exported, knownClasses(), {missingA, offsetsA}, unknownA);
    literalCheckForUnknownComponents(b, &exported, knownClasses(), {missingB, offsetsB}, unknownB);
    EXPECT_EQ(linesWithTags(a), linesWithTags(b));
    EXPECT_EQ(linesOf(missingA), linesOf(missingB));
    EXPECT_EQ(linesWithTags(offsetsA), linesWithTags(offsetsB));
    EXPECT_EQ(unknownA, unknownB);
}

// The passes before the scan, as the driver runs them.
TStringList cleanedUp(std::vector<std::string> lines, bool runtimeView)
{
    TStringList text = taggedLines(lines);
    if (!runtimeView)
        RemoveEnabledFalse(text);
    RemoveRootVisibleTrue(text);
    ResetActionManagerStyle(text);
    RemoveMdiChildStyle(text);
    StripEventLines(text);
    FilterRootProperties(text);
    return text;
}

} // namespace

TEST(LiteralAgreement, RewriteScanOnGeneratedForms)
{
    for (std::uint32_t seed = 1; seed <= 120; ++seed) {
        FormShape shape;
        shape.components = 20 + static_cast<int>(seed % 7) * 30;
        shape.unknownShare = (seed % 4) * 0.25;
        shape.malformed = seed % 3 == 0;
        const GeneratedForm form = generateForm(seed, shape);
        expectScansAgree(taggedLines(form.master), "seed " + std::to_string(seed));
        expectScansAgree(cleanedUp(form.master, seed % 2 == 0), "cleaned seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
}

TEST(LiteralAgreement, CheckForUnknownComponentsOnGeneratedForms)
{
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        FormShape shape;
        shape.components = 30;
        shape.malformed = seed % 2 == 0;
        expectPluginScansAgree(taggedLines(generateForm(seed, shape).master), "seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
}

TEST(LiteralAgreement, VariantMergeOnGeneratedForms)
{
    for (std::uint32_t seed = 1; seed <= 80; ++seed) {
        FormShape shape;
        shape.components = 40 + static_cast<int>(seed % 5) * 40;
        shape.variant = true;
        shape.malformed = seed % 4 == 0;
        shape.actionManagers = false;
        const GeneratedForm form = generateForm(seed, shape);
        TStringList shipped = taggedLines(form.master);
        TStringList literal = shipped;
        TStringList variantA = taggedLines(form.variant);
        TStringList variantB = variantA;
        MergePlatformVariant(shipped, variantA);
        literalMergePlatformVariant(literal, variantB);
        ASSERT_EQ(linesWithTags(shipped), linesWithTags(literal)) << "seed " << seed;
    }
}

TEST(LiteralAgreement, Fixtures)
{
    for (const char *name : {"passes_header_words.fmx", "passes_variant_master.fmx", "passes_variant_merged.txt"}) {
        const TStringList lines = fixtureLines(name);
        expectScansAgree(lines, name);
        expectPluginScansAgree(lines, name);
    }
    TStringList shipped = fixtureLines("passes_variant_master.fmx");
    TStringList literal = shipped;
    TStringList variantA = fixtureLines("passes_variant_master.iPhone47in.fmx");
    TStringList variantB = variantA;
    MergePlatformVariant(shipped, variantA);
    literalMergePlatformVariant(literal, variantB);
    EXPECT_EQ(linesWithTags(shipped), linesWithTags(literal));
}
