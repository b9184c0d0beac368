// The fuzz seeds and recorded crash inputs, replayed without libFuzzer, and the
// hostile inputs that other readers of this format fell over: each must end in
// a framework exception or success, never a crash, and must not allocate far
// beyond its own size.
#include "fuzzentries.h"

#include "streams/binarytotext.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/texttobinary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

namespace fs = std::filesystem;
using namespace vantor;

// The largest single allocation since the last reset, seen through a global
// operator new of this test program (the streams library's allocations come
// here too).
namespace {
std::atomic<std::size_t> g_largestAllocation{0};

void noteAllocation(std::size_t size)
{
    std::size_t seen = g_largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !g_largestAllocation.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}
} // namespace

// GCC takes the malloc/free pair below for a mismatch once it inlines both.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void *operator new(std::size_t size)
{
    noteAllocation(size);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) { return operator new(size); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

using Entry = void (*)(const std::uint8_t *, std::size_t);

struct Target
{
    const char *folder;
    Entry entry;
};
const Target kTargets[] = {
    {"binarytotext", fuzz::binaryToText},
    {"texttobinary", fuzz::textToBinary},
    {"formfile", fuzz::formFile},
    {"styleresource", fuzz::styleResource},
    {"loadpasses", fuzz::loadPasses},
    {"variantmerge", fuzz::variantMerge},
};

std::string readFile(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void feed(Entry entry, const std::string &bytes)
{
    entry(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
}

std::string shortString(const std::string &s)
{
    return std::string(1, static_cast<char>(s.size())) + s;
}

std::string streamHead()
{
    return "TPF0" + shortString("TForm1") + shortString("Form1");
}

// Converts and reports whether a framework exception refused the input.
bool refused(bool toBinary, const std::string &input)
{
    TMemoryStream in(std::vector<std::uint8_t>(input.begin(), input.end()));
    TMemoryStream out;
    try {
        if (toBinary)
            ObjectTextToBinary(in, out);
        else
            ObjectBinaryToText(in, out);
        return false;
    } catch (const Exception &) {
        return true;
    }
}

} // namespace

TEST(FuzzReplay, SeedsAndRecordedCrashesEndInSuccessOrAFrameworkError)
{
    int replayed = 0;
    for (const Target &target : kTargets) {
        const fs::path seeds = fs::path(VANTOR_FUZZ_DIR) / "corpus" / target.folder;
        ASSERT_TRUE(fs::is_directory(seeds)) << seeds;
        std::vector<fs::path> inputs;
        for (const auto &entry : fs::directory_iterator(seeds))
            inputs.push_back(entry.path());
        // A crash input is named after its target by fuzz/run.sh ("formfile-crash-...").
        const fs::path crashes = fs::path(VANTOR_FUZZ_DIR) / "crashes";
        if (fs::is_directory(crashes))
            for (const auto &entry : fs::directory_iterator(crashes))
                if (entry.path().filename().string().rfind(std::string(target.folder) + "-", 0) == 0)
                    inputs.push_back(entry.path());
        for (const fs::path &input : inputs) {
            SCOPED_TRACE(input.string());
            EXPECT_NO_THROW(feed(target.entry, readFile(input)));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

TEST(FuzzReplay, RandomBytesEndInSuccessOrAFrameworkError)
{
    std::uint64_t state = 12345;
    const auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint8_t>(state >> 56);
    };
    for (int round = 0; round < 300; ++round) {
        std::string bytes(static_cast<std::size_t>(1 + round * 7 % 2000), '\0');
        for (char &c : bytes)
            c = static_cast<char>(next());
        // Half the rounds get a valid signature (and a resource header) so the
        // bytes reach the value readers rather than failing at the start.
        std::string stream = round % 2 ? streamHead() + bytes : bytes;
        std::string file = round % 2 ? std::string("\xFF\x0A\x00" "F\0\x30\x10\0\0\0\0", 12) + stream : bytes;
        SCOPED_TRACE(round);
        EXPECT_NO_THROW(feed(fuzz::binaryToText, stream));
        EXPECT_NO_THROW(feed(fuzz::textToBinary, bytes));
        EXPECT_NO_THROW(feed(fuzz::formFile, file));
        EXPECT_NO_THROW(feed(fuzz::loadPasses, bytes));
        EXPECT_NO_THROW(feed(fuzz::variantMerge, bytes));
    }
}

TEST(HostileInput, ForgedLengthsAreRefusedWithoutAllocatingThem)
{
    struct Case
    {
        const char *name;
        std::string value; // type byte and the claimed length
    };
    const Case cases[] = {
        {"binary", std::string("\x0A\xFF\xFF\xFF\xFF", 5)},
        {"long string", std::string("\x0C\xFF\xFF\xFF\xFF", 5)},
        {"long string 7FFFFFF0", std::string("\x0C\xF0\xFF\xFF\x7F", 5)},
        {"wide string", std::string("\x12\xFF\xFF\xFF\xFF", 5)},
        {"UTF-8 string", std::string("\x14\xFF\xFF\xFF\xFF", 5)},
        {"short string past the end", std::string("\x06\xFF" "abc", 5)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string stream = streamHead() + shortString("Data") + c.value + "0123456789";
        g_largestAllocation = 0;
        EXPECT_TRUE(refused(false, stream));
        EXPECT_LT(g_largestAllocation.load(), 1u << 20);
    }
}

TEST(HostileInput, DeepNestingEndsWithoutCrashOrRunawayOutput)
{
    constexpr int kLevels = 100000;
    std::string binary = "TPF0";
    for (int i = 0; i < kLevels; ++i)
        binary += shortString("TPanel") + shortString("P") + '\0';
    binary.append(kLevels, '\0');
    std::string text;
    for (int i = 0; i < kLevels; ++i)
        text += "object P: TPanel\n";
    for (int i = 0; i < kLevels; ++i)
        text += "end\n";

    // Either refused (a depth limit) or converted; never a stack overflow, and
    // never the gigabytes of indentation a full print would take.
    g_largestAllocation = 0;
    EXPECT_NO_THROW(refused(false, binary));
    EXPECT_LT(g_largestAllocation.load(), 64u << 20);
    g_largestAllocation = 0;
    EXPECT_NO_THROW(refused(true, text));
    EXPECT_LT(g_largestAllocation.load(), 64u << 20);
}

TEST(HostileInput, FiftyMegabyteStringConvertsBothWays)
{
    constexpr std::size_t kSize = 50u << 20;
    std::string text = "object Form1: TForm1\r\n  Text = '";
    text.append(kSize, 'q');
    text += "'\r\nend\r\n";
    TMemoryStream in(std::vector<std::uint8_t>(text.begin(), text.end()));
    TMemoryStream stream;
    g_largestAllocation = 0;
    ASSERT_NO_THROW(ObjectTextToBinary(in, stream));
    EXPECT_LT(g_largestAllocation.load(), 4 * kSize);
    EXPECT_GT(stream.size(), kSize);

    stream.setPosition(0);
    TMemoryStream printed;
    g_largestAllocation = 0;
    ASSERT_NO_THROW(ObjectBinaryToText(stream, printed));
    EXPECT_LT(g_largestAllocation.load(), 4 * kSize);
    const std::string out(printed.bytes().begin(), printed.bytes().end());
    // Nothing lost: every q comes back, cut into pieces of at most 64.
    EXPECT_EQ(static_cast<std::size_t>(std::count(out.begin(), out.end(), 'q')), kSize);

    // The same string with its length claimed one byte longer than the data is refused.
    std::string cut(reinterpret_cast<const char *>(stream.data()), stream.size() - 3);
    EXPECT_TRUE(refused(false, cut));
}
