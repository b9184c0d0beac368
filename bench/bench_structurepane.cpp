// Cost of the structure pane on the largest forms of the corpus (by file
// size and by number of components; read at run time, never copied): the
// tree model alone, opening the pane in the real main window (the model,
// filling the tree list, laying out and painting the pane), and choosing
// the node with the most property lines (the property list and the outline).
// Times in milliseconds.

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/structurepane.h"
#include "framework/controls/standard.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/viewtree.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vantor;

QTemporaryDir *g_dir = nullptr;

// One main window for the run, showing a form the benchmarks ask for.
class Window
{
public:
    static TF_FMXWindowDisplay &showing(const std::string &file)
    {
        if (!s_instance)
            s_instance.reset(new Window(file));
        TF_FMXWindowDisplay &w = *s_instance->m_window;
        if (w.AFMXFile.toStdString() != file) {
            if (w.bnStruktur->IsPressed())
                w.bnStruktur->Click();
            w.GetForm(QString::fromStdString(file), true);
            QApplication::processEvents();
        }
        return w;
    }

private:
    explicit Window(const std::string &file)
    {
        setWindowSettingsFile(g_dir->filePath(QStringLiteral("Vantor.ini")).toStdString());
        setCommandLineArguments({QString::fromStdString(file)});
        m_window = std::make_unique<TF_FMXWindowDisplay>(nullptr);
        m_window->Show();
        QApplication::processEvents();
    }
    std::unique_ptr<TF_FMXWindowDisplay> m_window;

public:
    // Freed before the application goes.
    static inline std::unique_ptr<Window> s_instance;
};

void treeModel(benchmark::State &state, const std::string &file)
{
    TF_FMXWindowDisplay &w = Window::showing(file);
    std::size_t nodes = 0;
    for (auto _ : state) {
        const FormTree tree = FormTreeOfView(w.DFMView());
        nodes = tree.nodes.size();
        benchmark::DoNotOptimize(tree.nodes.data());
    }
    state.counters["components"] = double(nodes);
    state.counters["lines"] = w.DFMView().slOrgDFM.count();
}

void openPane(benchmark::State &state, const std::string &file)
{
    TF_FMXWindowDisplay &w = Window::showing(file);
    for (auto _ : state) {
        state.PauseTiming();
        if (w.bnStruktur->IsPressed())
            w.bnStruktur->Click();
        w.pnStruktur->ClearTree();
        QApplication::processEvents();
        state.ResumeTiming();
        // The click on "Struktur", and what the window does before it shows
        // the pane: layout and paint.
        w.bnStruktur->Click();
        QApplication::processEvents();
        w.pnStruktur->peer()->repaint();
    }
    if (!w.pnStruktur->HasTree())
        state.SkipWithError("the pane shows no tree");
}

void chooseNode(benchmark::State &state, const std::string &file)
{
    TF_FMXWindowDisplay &w = Window::showing(file);
    if (!w.bnStruktur->IsPressed())
        w.bnStruktur->Click();
    // The node whose block has the most property lines.
    const FormTree &tree = w.pnStruktur->Tree();
    int best = -1;
    std::size_t most = 0;
    for (std::size_t n = 0; n < tree.nodes.size(); ++n) {
        const std::size_t count = NodeProperties(w.DFMView().slOrgDFM, tree, int(n)).size();
        if (best < 0 || count > most) {
            best = int(n);
            most = count;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.pnStruktur->ChooseNode(-1);
        QApplication::processEvents();
        state.ResumeTiming();
        w.pnStruktur->ChooseNode(best);
        QApplication::processEvents();
        w.pnStruktur->peer()->repaint();
    }
    state.counters["properties"] = double(most);
}

std::vector<std::string> largestForms()
{
    const char *env = std::getenv("VANTOR_CORPUS");
    const std::filesystem::path root = env ? env : VANTOR_CORPUS;
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec))
        return {};
    struct Form
    {
        std::uintmax_t size;
        std::size_t components;
        std::string path;
    };
    std::vector<Form> forms;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (!it->is_regular_file() || it->path().extension() != ".fmx")
            continue;
        std::ifstream in(it->path());
        std::size_t components = 0;
        for (std::string line; std::getline(in, line);) {
            const std::size_t at = line.find_first_not_of(' ');
            if (at != std::string::npos
                && (line.compare(at, 7, "object ") == 0 || line.compare(at, 10, "inherited ") == 0
                    || line.compare(at, 7, "inline ") == 0))
                ++components;
        }
        forms.push_back({it->file_size(), components, it->path().string()});
    }
    std::vector<std::string> chosen;
    const auto take = [&](auto better) {
        std::sort(forms.begin(), forms.end(), better);
        for (std::size_t i = 0; i < std::min<std::size_t>(forms.size(), 2); ++i)
            if (std::find(chosen.begin(), chosen.end(), forms[i].path) == chosen.end())
                chosen.push_back(forms[i].path);
    };
    take([](const Form &a, const Form &b) { return a.size > b.size; });
    take([](const Form &a, const Form &b) { return a.components > b.components; });
    return chosen;
}

void registerBenchmarks()
{
    for (const std::string &path : largestForms()) {
        const std::string file = std::filesystem::path(path).filename().string() + "/"
                               + std::to_string(std::filesystem::file_size(path) / 1024) + "KiB";
        benchmark::RegisterBenchmark(("BM_StructureTree/" + file).c_str(),
                                     [path](benchmark::State &s) { treeModel(s, path); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_StructurePaneOpen/" + file).c_str(),
                                     [path](benchmark::State &s) { openPane(s, path); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_StructureChooseNode/" + file).c_str(),
                                     [path](benchmark::State &s) { chooseNode(s, path); })
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    InitHostFormUnit();
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Window::s_instance.reset();
    return 0;
}
