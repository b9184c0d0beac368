// The rewrite scan as shipped (keeps its place) against the literal scan that
// starts again at line 0 after every change, on generated forms with one
// component in five of an unknown class; and the whole text pipeline of a
// load (variant merge, clean-up passes, event lines, scan, markers).

#include "loader/cleanup.h"
#include "loader/knownclasses.h"
#include "loader/markers.h"
#include "loader/rewritescan.h"
#include "loader/textmeasure.h"
#include "loader/variantmerge.h"
#include "streams/lineutils.h"
#include "streams/stringlist.h"
#include "tests/loader/formgenerator.h"
#include "tests/loader/literalscan.h"

#include <benchmark/benchmark.h>

#include <map>

using namespace vantor;

namespace {

const TStringList &known()
{
    static const TStringList list = [] {
        TStringList l;
        InitKnownClassNames(l);
        return l;
    }();
    return list;
}

const test::GeneratedForm &form(int components)
{
    static std::map<int, test::GeneratedForm> forms;
    auto it = forms.find(components);
    if (it == forms.end()) {
        test::FormShape shape;
        shape.components = components;
        shape.unknownShare = 0.2;
        shape.variant = true;
        it = forms.emplace(components, test::generateForm(4711, shape)).first;
    }
    return it->second;
}

TStringList tagged(const std::vector<std::string> &lines)
{
    TStringList list;
    for (const std::string &line : lines)
        list.add(line, list.count());
    return list;
}

template<typename Scan>
void runScan(benchmark::State &state, Scan scan)
{
    const TStringList input = tagged(form(static_cast<int>(state.range(0))).master);
    for (auto _ : state) {
        state.PauseTiming();
        TStringList lines = input;
        TStringList missing;
        missing.setSorted(true);
        TStringList offsets;
        RewriteScanState scanState;
        state.ResumeTiming();
        scan(lines, true, known(), MissingClassLists{missing, offsets}, scanState);
        benchmark::DoNotOptimize(lines.count());
    }
    state.counters["lines"] = input.count();
}

void BM_RewriteScan(benchmark::State &state) { runScan(state, RewriteScan); }
void BM_RewriteScanLiteral(benchmark::State &state) { runScan(state, test::literalRewriteScan); }

void BM_TextPipeline(benchmark::State &state)
{
    const test::GeneratedForm &f = form(static_cast<int>(state.range(0)));
    const TStringList master = tagged(f.master);
    const TStringList variantText = tagged(f.variant);
    const FixedWidthTextMeasure measure;
    for (auto _ : state) {
        state.PauseTiming();
        TStringList lines = master;
        TStringList variant = variantText;
        TStringList missing;
        missing.setSorted(true);
        TStringList offsets;
        RewriteScanState scanState;
        state.ResumeTiming();
        MergePlatformVariant(lines, variant);
        for (int i = 0; i < lines.count(); ++i)
            lines.setTag(i, i);
        RemoveEnabledFalse(lines);
        RemoveRootVisibleTrue(lines);
        ResetActionManagerStyle(lines);
        RemoveMdiChildStyle(lines);
        StripEventLines(lines);
        FilterRootProperties(lines);
        RewriteScan(lines, false, known(), MissingClassLists{missing, offsets}, scanState);
        MarkNonVisualComponents(lines, measure);
        benchmark::DoNotOptimize(lines.count());
    }
    state.counters["lines"] = master.count();
    state.counters["variant_lines"] = variantText.count();
}

} // namespace

BENCHMARK(BM_RewriteScan)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteScanLiteral)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TextPipeline)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
