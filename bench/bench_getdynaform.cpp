// Cost of one whole load (GetDynaForm: read, text passes, conversion, build,
// layout) on generated forms of growing size, to show that it grows
// linearly, and on the largest forms of the corpus when it is there (read
// at run time, never copied). Times are per form, in milliseconds.

#include "framework/classes.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace vantor;

// A form of n components: panels holding buttons, labels, rectangles and a
// layout, every tenth of a class the viewer lacks (a placeholder), with
// event lines, and aligned controls so that layout has work to do.
std::string generatedForm(int n)
{
    std::string text = "object BigForm: TBigForm\n  Caption = 'Big'\n  ClientHeight = 800\n  ClientWidth = 1200\n"
                       "  OnCreate = FormCreate\n";
    int made = 0;
    for (int panel = 0; made < n; ++panel) {
        const std::string p = std::to_string(panel);
        text += "  object Panel" + p + ": TPanel\n    Align = Top\n    Size.Width = 1200.000000000000000000\n"
                "    Size.Height = 40.000000000000000000\n";
        ++made;
        for (int k = 0; k < 9 && made < n; ++k, ++made) {
            const std::string id = p + "_" + std::to_string(k);
            const double x = 10.0 + 60.0 * k;
            const std::string pos = "      Position.X = " + std::to_string(x) + "\n      Position.Y = 8.0\n";
            switch (k % 5) {
            case 0:
                text += "    object Button" + id + ": TButton\n" + pos + "      Text = 'Button " + id
                        + "'\n      OnClick = ButtonClick\n    end\n";
                break;
            case 1:
                text += "    object Label" + id + ": TLabel\n" + pos + "      Text = 'Label " + id + "'\n    end\n";
                break;
            case 2:
                text += "    object Rect" + id + ": TRectangle\n" + pos
                        + "      Fill.Color = claYellow\n      Size.Width = 40.0\n      Size.Height = 20.0\n    end\n";
                break;
            case 3:
                text += "    object Layout" + id + ": TLayout\n" + pos + "      Size.Width = 50.0\n    end\n";
                break;
            default:
                text += "    object Gadget" + id + ": TGadgetX\n" + pos + "      Speed = 3\n    end\n";
                break;
            }
        }
        text += "  end\n";
    }
    return text + "end\n";
}

void loadOnce(benchmark::State &state, const std::string &file)
{
    TComponent owner(nullptr);
    TDFMView view;
    view.FormOwner = &owner;
    for (auto _ : state) {
        // Freeing the previous form is the caller's part, timed apart below.
        state.PauseTiming();
        delete view.FormDyna;
        view.FormDyna = nullptr;
        state.ResumeTiming();
        try {
            benchmark::DoNotOptimize(view.GetDynaForm(file, true));
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            break;
        }
    }
    delete view.FormDyna;
    view.FormDyna = nullptr;
}

QTemporaryDir *g_dir = nullptr;

void BM_GetDynaForm_Generated(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::string file = g_dir->filePath(QStringLiteral("generated_%1.fmx").arg(n)).toStdString();
    if (!std::filesystem::exists(file))
        std::ofstream(file) << generatedForm(n);
    loadOnce(state, file);
    state.SetComplexityN(n);
    state.counters["components"] = n;
}
BENCHMARK(BM_GetDynaForm_Generated)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Freeing a built form, as the viewer does before each new load.
void BM_FreeForm_Generated(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::string file = g_dir->filePath(QStringLiteral("generated_%1.fmx").arg(n)).toStdString();
    if (!std::filesystem::exists(file))
        std::ofstream(file) << generatedForm(n);
    TComponent owner(nullptr);
    TDFMView view;
    view.FormOwner = &owner;
    for (auto _ : state) {
        state.PauseTiming();
        view.GetDynaForm(file, true);
        state.ResumeTiming();
        delete view.FormDyna;
        view.FormDyna = nullptr;
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_FreeForm_Generated)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The largest forms of the corpus, by file size.
void registerCorpusBenchmarks()
{
    const char *env = std::getenv("VANTOR_CORPUS");
    const std::filesystem::path root = env ? env : VANTOR_CORPUS;
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec))
        return;
    std::vector<std::pair<std::uintmax_t, std::string>> files;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (it->is_regular_file() && it->path().extension() == ".fmx")
            files.emplace_back(it->file_size(), it->path().string());
    }
    std::sort(files.rbegin(), files.rend());
    files.resize(std::min<std::size_t>(files.size(), 4));
    for (const auto &[size, path] : files) {
        const std::string name = "BM_GetDynaForm_Corpus/" + std::filesystem::path(path).filename().string() + "/"
                                 + std::to_string(size / 1024) + "KiB";
        benchmark::RegisterBenchmark(name.c_str(), [path = path](benchmark::State &state) { loadOnce(state, path); })
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    registerCorpusBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
