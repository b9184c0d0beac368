// Throughput of Vantor's text-to-binary and binary-to-text conversions, beside
// the Free Pascal peer's on the same input. Each Vantor benchmark carries the
// counters fpc_bytes_per_second and speedup (Vantor's throughput over the
// peer's; the peer converts in its own process, timed inside it, so process
// start does not count). Growth: TextToBinary/Lines:25000..200000 should show
// a flat bytes_per_second.
#include "formgen.h"
#include "peercompare.h"

#include "streams/binarytotext.h"
#include "streams/memorystream.h"
#include "streams/texttobinary.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vantor;

namespace {

struct Input
{
    std::string text;   // text form
    std::string stream; // Vantor's binary stream of it
    fs::path textFile;  // the same bytes on disk, for the peer
    fs::path streamFile;
};

fs::path workDir()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("vantor-bench-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::string convert(bool toBinary, const std::string &input)
{
    TMemoryStream in(std::vector<std::uint8_t>(input.begin(), input.end()));
    TMemoryStream out;
    if (toBinary)
        ObjectTextToBinary(in, out);
    else
        ObjectBinaryToText(in, out);
    return std::string(out.bytes().begin(), out.bytes().end());
}

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const Input &input(const std::string &key, const std::string &text)
{
    static std::map<std::string, Input> inputs;
    auto found = inputs.find(key);
    if (found != inputs.end())
        return found->second;
    Input in;
    in.text = text;
    in.stream = convert(true, text);
    in.textFile = workDir() / (key + ".fmx");
    in.streamFile = workDir() / (key + ".bin");
    writeFile(in.textFile, in.text);
    writeFile(in.streamFile, in.stream);
    return inputs.emplace(key, std::move(in)).first->second;
}

const Input &generated(std::size_t lines, int imageWeight)
{
    const std::string key = "gen-" + std::to_string(lines) + "-" + std::to_string(imageWeight);
    formgen::Options options;
    options.seed = 7;
    options.minLines = lines;
    options.imageWeight = imageWeight;
    options.longStringWeight = 2;
    options.collectionWeight = 2;
    return input(key, formgen::generateForm(options));
}

// Seconds the peer needs for one conversion of the file; cached, because
// benchmark calls a function several times while it sizes the iterations.
double peerSeconds(bool toBinary, const fs::path &file)
{
    static std::map<std::pair<bool, std::string>, double> cache;
    const auto key = std::make_pair(toBinary, file.string());
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    const peer::FpcPeer peer(VANTOR_FPCONV, (workDir() / "peer").string());
    double seconds = -1;
    if (peer.available()) {
        const int repeats = 3;
        const double total = peer.timeConversion(toBinary, file.string(), repeats);
        if (total > 0)
            seconds = total / repeats;
    }
    cache.emplace(key, seconds);
    return seconds;
}

void runConversion(benchmark::State &state, const Input &in, bool toBinary)
{
    const std::string &source = toBinary ? in.text : in.stream;
    double seconds = 0;
    for (auto _ : state) {
        TMemoryStream src(std::vector<std::uint8_t>(source.begin(), source.end()));
        TMemoryStream out;
        const auto start = std::chrono::steady_clock::now();
        if (toBinary)
            ObjectTextToBinary(src, out);
        else
            ObjectBinaryToText(src, out);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(out.data());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    const double bytes = static_cast<double>(source.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(source.size()));
    state.counters["lines"] = static_cast<double>(formgen::countLines(in.text));
    const double peer = peerSeconds(toBinary, toBinary ? in.textFile : in.streamFile);
    if (peer > 0) {
        const double ours = seconds / static_cast<double>(state.iterations());
        state.counters["fpc_bytes_per_second"] = benchmark::Counter(bytes / peer, benchmark::Counter::kDefaults,
                                                                    benchmark::Counter::kIs1024);
        state.counters["speedup"] = peer / ours;
    }
}

void TextToBinary(benchmark::State &state)
{
    runConversion(state, generated(static_cast<std::size_t>(state.range(0)), 1), true);
}
void BinaryToText(benchmark::State &state)
{
    runConversion(state, generated(static_cast<std::size_t>(state.range(0)), 1), false);
}
// A large form heavy with images (multi-kB binary data), long strings and collections.
void LargeTextToBinary(benchmark::State &state)
{
    runConversion(state, generated(220000, 4), true);
}
void LargeBinaryToText(benchmark::State &state)
{
    runConversion(state, generated(220000, 4), false);
}

BENCHMARK(TextToBinary)->ArgName("Lines")->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BinaryToText)->ArgName("Lines")->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LargeTextToBinary)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LargeBinaryToText)->UseManualTime()->Unit(benchmark::kMillisecond);

// The largest forms of the shared corpus, read where they lie when it is present.
void registerCorpusBenchmarks()
{
    const fs::path corpus = VANTOR_CORPUS;
    std::error_code error;
    if (!fs::is_directory(corpus, error))
        return;
    std::vector<std::pair<std::uintmax_t, fs::path>> forms;
    for (const auto &entry : fs::recursive_directory_iterator(corpus, error))
        if (entry.is_regular_file() && entry.path().extension() == ".fmx")
            forms.emplace_back(entry.file_size(), entry.path());
    std::sort(forms.rbegin(), forms.rend());
    forms.resize(std::min<std::size_t>(forms.size(), 3));
    int rank = 0;
    for (const auto &[size, path] : forms) {
        std::ifstream file(path, std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(file), {});
        const std::string key = "corpus-" + std::to_string(++rank);
        try {
            convert(true, text);
        } catch (const std::exception &) {
            continue; // a form Vantor refuses cannot be timed
        }
        // The peer reads single bytes: it gets the form as peerInput prepares it.
        const Input *in = &input(key, peer::peerInput(text));
        const std::string name = "Corpus" + std::to_string(rank);
        benchmark::RegisterBenchmark((name + "TextToBinary").c_str(), [in](benchmark::State &s) { runConversion(s, *in, true); })
            ->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "BinaryToText").c_str(), [in](benchmark::State &s) { runConversion(s, *in, false); })
            ->UseManualTime()->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerCorpusBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(workDir(), ignored);
    return 0;
}
