// Building the procedure index of a generated unit: 100,000 lines with 5,000
// procedure heads, and the same mix at 25k to 200k lines, so the run shows
// whether the cost grows linearly with the unit.
#include "sourceview/procindex.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A unit of `lines` lines, one procedure or function head every 20 lines
// after the implementation line, with overloads (equal heads) and mixed
// case; the other lines mention the keywords only where no head can stand.
vantor::TStringList generateUnit(int lines)
{
    vantor::TStringList unit;
    unit.add("unit Generated;");
    unit.add("interface");
    unit.add("procedure Exported(A: Integer);");
    unit.add("implementation");
    for (int i = unit.count(); i < lines; ++i) {
        const int n = i / 20;
        switch (i % 20) {
        case 0:
            // every tenth head repeats an earlier one: overloads sort as equals
            if (n % 10 == 0)
                unit.add("FUNCTION TList.Add(const S: string): Integer;");
            else if (n % 2 == 0)
                unit.add("procedure TForm" + std::to_string(n % 97) + ".Handler" + std::to_string(n) + "(Sender: TObject);");
            else
                unit.add("function Compute" + std::to_string(n) + "(A, B: Integer): Integer;");
            break;
        case 1:
            unit.add("var");
            break;
        case 2:
            unit.add("  Count: Integer; // counts the procedure calls");
            break;
        case 3:
            unit.add("begin");
            break;
        case 19:
            unit.add("end;");
            break;
        default:
            unit.add("    Result := Result + FunctionTable[" + std::to_string(i) + "] * 2; { class procedure }");
            break;
        }
    }
    return unit;
}

void BM_FillProcIndex(benchmark::State &state)
{
    const vantor::TStringList unit = generateUnit(int(state.range(0)));
    vantor::TStringList index;
    for (auto _ : state) {
        vantor::FillProcIndex(unit, index);
        benchmark::DoNotOptimize(index.count());
    }
    state.counters["entries"] = double(index.count());
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FillProcIndex)
    ->Arg(25'000)
    ->Arg(50'000)
    ->Arg(100'000)
    ->Arg(200'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
