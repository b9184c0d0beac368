#include "support/inifile.h"
#include "support/paths.h"
#include "support/windowpos.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <optional>

namespace vantor {
namespace {

// A window on a 1920 x 1080 screen that records what is set.
class FakeWindow : public WindowPlacement
{
public:
    WindowRect rect{1, 2, 300, 200};
    int state = kWindowNormal;
    std::optional<int> stateSet;
    int setCalls = 0;

    int windowState() const override { return state; }
    WindowRect normalRect() const override { return rect; }
    int width() const override { return rect.width; }
    int height() const override { return rect.height; }
    void setLeft(int v) override { rect.left = v, ++setCalls; }
    void setTop(int v) override { rect.top = v, ++setCalls; }
    void setWidth(int v) override { rect.width = v, ++setCalls; }
    void setHeight(int v) override { rect.height = v, ++setCalls; }
    void setWindowState(int v) override { stateSet = v, state = v, ++setCalls; }
    int screenWidth() const override { return 1920; }
    int screenHeight() const override { return 1080; }
};

TEST(WindowPosTest, AppliesStoredValues)
{
    struct Case
    {
        const char *value;
        int left, top, width, height;
        std::optional<int> state; // nullopt: the state is left alone
    };
    const Case cases[] = {
        {"10#20#800#600#2#", 10, 20, 800, 600, 2},
        {"10#20#800#600#1#", 10, 20, 800, 600, 1},
        {"10#20#800#600#0#", 10, 20, 800, 600, std::nullopt},
        {"10#20#800#600#7#", 10, 20, 800, 600, std::nullopt},
        {"10#20#5000#600#0#", 10, 20, 1720, 600, std::nullopt}, // too wide: screen width - 200
        {"10#20#800#50#0#", 10, 20, 800, 880, std::nullopt},    // too low: screen height - 200
        {"10#20#800#-3#0#", 10, 20, 800, 880, std::nullopt},
        {"abc", 100, 100, 640, 480, std::nullopt},
        {"10#20#800#600", 10, 20, 800, 600, std::nullopt}, // no state field
        {"-1500#-20#800#600#0#", -1500, -20, 800, 600, std::nullopt}, // monitor left of the primary one
        {"10#x#800##2#", 10, 100, 800, 480, 2},
        {"10#20#0#600#0#", 10, 20, 640, 600, std::nullopt},            // no width: the default
        {"10#20#-800#600#0#", 10, 20, 640, 600, std::nullopt},
        {"10#20#99999999999#600#0#", 10, 20, 640, 600, std::nullopt},  // beyond int: not an integer
        {"+10#20#800#600#2.0#", 10, 20, 800, 600, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        FakeWindow w;
        applyWindowPos(c.value, w);
        EXPECT_EQ(w.rect.left, c.left);
        EXPECT_EQ(w.rect.top, c.top);
        EXPECT_EQ(w.rect.width, c.width);
        EXPECT_EQ(w.rect.height, c.height);
        EXPECT_EQ(w.stateSet, c.state);
    }
}

TEST(WindowPosTest, FormatsFiveFieldsEachEndedByHash)
{
    EXPECT_EQ(formatWindowPos({120, 80, 1024, 700}, 0), "120#80#1024#700#0#");
    EXPECT_EQ(formatWindowPos({-1500, -20, 800, 600}, 2), "-1500#-20#800#600#2#");
    EXPECT_EQ(windowPosSection("someuser"), "someuser-Windowpos");
}

TEST(WindowPosTest, FirstRunFindsNothingThenSavesOneKeyInTheUsersSection)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    FakeWindow w;
    EXPECT_FALSE(RestoreWindowPos(w, "Main", ini));
    EXPECT_EQ(w.setCalls, 0);

    w.rect = {120, 80, 1024, 700};
    w.state = kWindowMaximized;
    SaveWindowPos(w, "Main", ini);
    EXPECT_EQ(readAll(ini), "[" + GetCurrentUserName() + "-Windowpos]\nMain=120#80#1024#700#2#\n");

    FakeWindow next;
    EXPECT_TRUE(RestoreWindowPos(next, "Main", ini));
    EXPECT_EQ(next.rect.left, 120);
    EXPECT_EQ(next.rect.width, 1024);
    EXPECT_EQ(next.stateSet, kWindowMaximized);
}

TEST(WindowPosTest, RestoreIgnoresEmptyValuesOtherUsersAndOtherKeys)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    const std::string section = windowPosSection(GetCurrentUserName());
    writeAll(ini, "[someoneelse-Windowpos]\nMain=1#2#3#4#0#\n[" + section + "]\nMain=\nOther=1#2#3#4#0#\n");
    FakeWindow w;
    EXPECT_FALSE(RestoreWindowPos(w, "Main", ini));
    EXPECT_EQ(w.setCalls, 0);
}

TEST(WindowPosTest, SaveIntoAMissingFolderRaisesTheSettingsError)
{
    TempDir dir;
    const std::string ini = dir.file("gone/Viewer.ini");
    FakeWindow w;
    try {
        SaveWindowPos(w, "Main", ini);
        FAIL() << "no error";
    } catch (const EIniFileException &e) {
        EXPECT_EQ(e.message(), "In " + ini + " kann nicht geschrieben werden");
    }
}

} // namespace
} // namespace vantor
