// Form texts of 200,000 lines and more are loaded, edited and saved: loading
// and saving must stay linear, and edits in the middle cheap.
#include "streams/lineutils.h"
#include "streams/stringlist.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace vantor;

namespace {

// A form text of about `lines` lines: nested objects with properties and events.
std::string makeForm(int lines, bool utf8)
{
    std::string text = utf8 ? "\xEF\xBB\xBF" : "";
    text += "object Form1: TForm\r\n";
    int n = 1;
    for (int i = 0; n < lines - 1; ++i) {
        const std::string name = utf8 ? "Kn\xC3\xB6pfchen" + std::to_string(i) : "Button" + std::to_string(i);
        text += "  object " + name + ": TButton\r\n";
        text += "    Position.X = 16.000000000000000000\r\n";
        text += "    Text = 'Gr" + std::string(utf8 ? "\xC3\xBC\xC3\x9F" : "\xFC\xDF") + "e'\r\n";
        text += "    OnClick = ButtonClick\r\n";
        text += "  end\r\n";
        n += 5;
    }
    text += "end\r\n";
    return text;
}

void BM_LoadFromBytes(benchmark::State &state)
{
    const std::string bytes = makeForm(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        TStringList list;
        list.loadFromBytes(bytes);
        benchmark::DoNotOptimize(list.count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadFromBytes)->ArgsProduct({{50000, 200000, 800000}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_SaveToBytes(benchmark::State &state)
{
    TStringList list;
    list.loadFromBytes(makeForm(static_cast<int>(state.range(0)), state.range(1) != 0));
    for (auto _ : state)
        benchmark::DoNotOptimize(list.saveToBytes());
}
BENCHMARK(BM_SaveToBytes)->ArgsProduct({{50000, 200000, 800000}, {0, 1}})->Unit(benchmark::kMillisecond);

// 1000 inserts and 1000 deletes in the middle of a 200,000-line text.
void BM_EditMiddle(benchmark::State &state)
{
    TStringList list;
    list.loadFromBytes(makeForm(200000, false));
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            list.insert(list.count() / 2, "    Visible = False");
        for (int i = 0; i < 1000; ++i)
            list.remove(list.count() / 2);
    }
}
BENCHMARK(BM_EditMiddle)->Unit(benchmark::kMillisecond);

void BM_StripEventLines(benchmark::State &state)
{
    const std::string bytes = makeForm(200000, false);
    TStringList source;
    source.loadFromBytes(bytes);
    for (auto _ : state) {
        state.PauseTiming();
        TStringList list = source;
        state.ResumeTiming();
        StripEventLines(list);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_StripEventLines)->Unit(benchmark::kMillisecond);

// A sorted, case-insensitive class-name list: adds and look-ups.
void BM_SortedAddAndFind(benchmark::State &state)
{
    std::vector<std::string> names;
    for (int i = 0; i < state.range(0); ++i)
        names.push_back("TControlClass" + std::to_string((i * 7919) % state.range(0)));
    for (auto _ : state) {
        TStringList list;
        list.setSorted(true);
        for (const auto &name : names)
            list.add(name);
        int found = 0;
        for (const auto &name : names)
            found += list.indexOf(name) >= 0;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SortedAddAndFind)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
