// Hostile form files through the whole load (read, merge, passes, conversion,
// the framework's reader into a host form, the plug-in libraries beside the
// test program for the placeholders). Each case runs in a process of its own
// (a death test that starts the program anew) with a limit on its address
// space, so that a case that swells ends that process instead of the machine,
// and must end there with a built form, a failed build or a framework error
// with a message: never a crash, and never past the test's time limit. The
// inputs are written by the case itself into a temporary folder. The ten
// million lines and the 50 MB line take seconds (the load reads, copies and
// walks that much text a dozen times over, each time in linear time); they
// are all in this one test.
#include "framework/classes.h"
#include "framework/tasks.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/plugins.h"
#include "streams/errors.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

namespace fs = std::filesystem;
using namespace vantor;

namespace {

// The address space a case may take: Qt, the plug-in libraries and their
// threads reserve several hundred megabytes before any form is read.
constexpr rlim_t kAddressSpaceLimit = rlim_t(4) << 30;

using Writer = std::function<void(FILE *)>;

void writeFile(const fs::path &path, const Writer &write)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::_Exit(9);
    }
    write(f);
    std::fclose(f);
}

struct HostileFile
{
    std::string name;
    Writer write;
};

// In the case's own process: limits memory, writes the files, loads the last
// of them (in the run-time view and asks the plug-in libraries for the
// placeholders, as the viewer does), prints the outcome and ends the process:
// 0 built, 1 build failed, 2 an error left the load.
[[noreturn]] void loadInOwnProcess(const std::vector<HostileFile> &files, bool runtimeView)
{
    const rlimit limit{kAddressSpaceLimit, kAddressSpaceLimit};
    setrlimit(RLIMIT_AS, &limit);
    std::string pattern = (fs::temp_directory_path() / "vantor-hostile-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    // The plug-in libraries write their picture into the per-user data
    // folder: one of this case's own.
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    for (const HostileFile &file : files)
        writeFile(folder / file.name, file.write);

    int argc = 1;
    char name[] = "fuzz_load_tests";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    LoadPlugIns();
    int code = 2;
    std::string outcome;
    {
        TComponent owner(nullptr);
        TDFMView view;
        view.FormOwner = &owner;
        try {
            if (view.GetDynaForm((folder / files.back().name).string(), runtimeView)) {
                code = 0;
                if (view.slMissing.count() > 0)
                    view.SetMissingClasses(view.FormDyna, runtimeView);
                TTask::WaitForAll();
                QCoreApplication::processEvents();
                outcome = "built, missing:";
                for (const auto &entry : view.slMissing.items())
                    outcome += " " + entry.text.substr(0, 200);
            } else {
                code = 1;
                outcome = "build failed: " + (view.slMissing.empty() ? std::string() : view.slMissing[0]);
            }
        } catch (const Exception &e) {
            code = 2;
            outcome = "error: " + e.message();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "outcome %d: %s\npeak resident: %ld MB\n", code, outcome.substr(0, 2000).c_str(),
                 usage.ru_maxrss / 1024);
    std::fflush(stderr);
    if (const char *peakFile = std::getenv("VANTOR_HOSTILE_PEAK_FILE"))
        if (FILE *f = std::fopen(peakFile, "w")) {
            std::fprintf(f, "%ld", usage.ru_maxrss / 1024);
            std::fclose(f);
        }
    fs::remove_all(folder);
    std::_Exit(code);
}

Writer text(std::string s)
{
    return [s = std::move(s)](FILE *f) { std::fwrite(s.data(), 1, s.size(), f); };
}

struct Case
{
    const char *name;
    std::vector<HostileFile> files;
    int exitCode;
    const char *outcome; // a regular expression the case's report must match
};

} // namespace

TEST(HostileLoad, EndsWithAFormOrAClearErrorInBoundedMemory)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr int kLevels = 100000;
    constexpr std::size_t kLineBytes = 50u << 20;
    constexpr int kLines = 10000000;
    const Case cases[] = {
        {"a form 100,000 levels deep",
         {{"Deep.fmx",
           [](FILE *f) {
               std::fputs("object Deep: TDeep\n", f);
               for (int i = 0; i < kLevels; ++i)
                   std::fputs("  object Panel: TPanel\n", f);
               for (int i = 0; i < kLevels; ++i)
                   std::fputs("  end\n", f);
               std::fputs("end\n", f);
           }}},
         2, "error: Verschachtelung zu tief"},
        {"a binary form 100,000 levels deep",
         {{"DeepBinary.fmx",
           [](FILE *f) {
               const auto shortString = [](const std::string &s) { return std::string(1, char(s.size())) + s; };
               std::string stream = "TPF0" + shortString("TDeep") + shortString("Deep") + '\0';
               for (int i = 0; i < kLevels; ++i)
                   stream += shortString("TPanel") + shortString("P") + '\0';
               stream.append(kLevels + 1, '\0');
               // The resource header of a binary form file: its size, then the stream.
               std::string header("\xFF\x0A\x00" "F\0\x30\x10", 7);
               for (int i = 0; i < 4; ++i)
                   header += char((stream.size() >> (8 * i)) & 0xFF);
               std::fwrite(header.data(), 1, header.size(), f);
               std::fwrite(stream.data(), 1, stream.size(), f);
           }}},
         2, "error: Verschachtelung zu tief"},
        {"a line of 50 MB",
         {{"Long.fmx",
           [](FILE *f) {
               std::fputs("object Long: TLong\n  object Label1: TLabel\n    Text = '", f);
               const std::string chunk(1 << 20, 'q');
               for (std::size_t n = 0; n < kLineBytes; n += chunk.size())
                   std::fwrite(chunk.data(), 1, chunk.size(), f);
               std::fputs("'\n  end\nend\n", f);
           }}},
         0, "built, missing:"},
        {"ten million lines",
         {{"Many.fmx",
           [](FILE *f) {
               std::fputs("object Many: TMany\n  ClientWidth = 300\n", f);
               for (int i = 0; i < kLines; ++i)
                   std::fputs("  Tag = 1\n", f);
               std::fputs("  object Button1: TButton\n    Text = 'ok'\n  end\nend\n", f);
           }}},
         0, "built, missing:"},
        {"a variant whose master is itself a variant",
         {{"Twice.fmx", text("object Twice: TTwice\n  ClientWidth = 300\n  object Button1: TButton\n  end\nend\n")},
          {"Twice.LgXhdpiPh.fmx",
           text("inherited Twice_LgXhdpiPh: TTwice_LgXhdpiPh\n  inherited Button1: TButton\n    Text = 'a'\n  end\nend\n")},
          {"Twice.LgXhdpiPh.iPad.fmx",
           text("inherited Twice_iPad: TTwice_iPad\n  inherited Button1: TButton\n    Text = 'b'\n  end\nend\n")}},
         0, "built, missing:"},
        {"a variant whose master's own text is a variant",
         {{"Inherits.fmx",
           text("inherited Inherits_LgXhdpiPh: TInherits_LgXhdpiPh\n  inherited Button1: TButton\n    Text = 'a'\n"
                "  end\nend\n")},
          {"Inherits.iPad.fmx",
           text("inherited Inherits_iPad: TInherits_iPad\n  inherited Button1: TButton\n    Text = 'b'\n  end\nend\n")}},
         0, "built, missing:"},
        {"a frame that names itself as its own frame",
         {{"Self.fmx", text("object SelfFrame: TSelfFrame\n  Size.Width = 200.000000000000000000\n"
                            "  Size.Height = 100.000000000000000000\n"
                            "  inline SelfFrame1: TSelfFrame\n    Size.Width = 200.000000000000000000\n"
                            "    inline SelfFrame2: TSelfFrame\n    end\n  end\nend\n")}},
         0, "built, missing: TSelfFrame"},
    };
    // The case's process leaves its peak resident size here, for the log.
    // (The case's process runs this test from its start again: it keeps the
    // name its parent chose.)
    setenv("VANTOR_HOSTILE_PEAK_FILE",
           (fs::temp_directory_path() / ("vantor-hostile-peak-" + std::to_string(getpid()))).c_str(), 0);
    const std::string peakFile = std::getenv("VANTOR_HOSTILE_PEAK_FILE");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (bool runtimeView : {true, false}) {
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EXIT(loadInOwnProcess(c.files, runtimeView), testing::ExitedWithCode(c.exitCode), c.outcome);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            std::ifstream peak(peakFile);
            std::string megabytes;
            peak >> megabytes;
            std::cout << "[ hostile  ] " << c.name << (runtimeView ? " (run-time view)" : " (design-time view)")
                      << ": " << took.count() << " s, peak resident " << megabytes << " MB\n";
        }
    }
    fs::remove(peakFile);
}
