// The seeds and recorded crash inputs of the whole-load fuzz target, replayed
// through the same entry (the real load into a host form, both views) with
// the normal compiler: each must end in a built form, a failed build or a
// framework exception, never a crash.
#include "fuzzload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST(FuzzLoadReplay, SeedsAndRecordedCrashesLoadOrFailWithAFrameworkError)
{
    std::vector<fs::path> inputs;
    for (const auto &entry : fs::directory_iterator(fs::path(VANTOR_FUZZ_DIR) / "corpus" / "load"))
        inputs.push_back(entry.path());
    const fs::path crashes = fs::path(VANTOR_FUZZ_DIR) / "crashes";
    if (fs::is_directory(crashes))
        for (const auto &entry : fs::directory_iterator(crashes))
            if (entry.path().filename().string().rfind("load-", 0) == 0)
                inputs.push_back(entry.path());
    ASSERT_FALSE(inputs.empty());
    for (const fs::path &input : inputs) {
        SCOPED_TRACE(input.string());
        std::ifstream file(input, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(file), {});
        EXPECT_NO_THROW(vantor::fuzz::wholeLoad(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()));
    }
}
