#include "support/paths.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <pwd.h>
#include <unistd.h>

namespace vantor {
namespace {

TEST(AppPathsTest, DerivedFromProgramAndDataFolder)
{
    struct Case
    {
        const char *exe;
        const char *folder;
        const char *appDir, *appName, *dataDir, *ini;
    };
    const Case cases[] = {
        {"/opt/tools/Viewer", "/home/u/.config", "/opt/tools", "Viewer", "/home/u/.config/brenwick/Viewer",
         "/home/u/.config/brenwick/Viewer/Viewer.ini"},
        // a folder that already ends with "/" gets no second one
        {"/opt/tools/Viewer", "/home/u/.config/", "/opt/tools", "Viewer", "/home/u/.config/brenwick/Viewer",
         "/home/u/.config/brenwick/Viewer/Viewer.ini"},
        // the extension goes, only the last one
        {"/opt/my.tools/viewer.bin.exe", "/c", "/opt/my.tools", "viewer.bin", "/c/brenwick/viewer.bin",
         "/c/brenwick/viewer.bin/viewer.bin.ini"},
        // no data folder: the paths start at the root
        {"/opt/Viewer", "", "/opt", "Viewer", "/brenwick/Viewer", "/brenwick/Viewer/Viewer.ini"},
        // a program in the root folder keeps "/" as its folder
        {"/Viewer", "/c", "/", "Viewer", "/c/brenwick/Viewer", "/c/brenwick/Viewer/Viewer.ini"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.exe);
        const AppPaths p = makeAppPaths(c.exe, c.folder);
        EXPECT_EQ(p.AppDir, c.appDir);
        EXPECT_EQ(p.AppName, c.appName);
        EXPECT_EQ(p.AppDataDir, c.dataDir);
        EXPECT_EQ(p.IniFileName, c.ini);
    }
}

TEST(AppPathsTest, ConfigFolderFromEnvironment)
{
    const passwd *pw = getpwuid(geteuid());
    ASSERT_NE(pw, nullptr);
    const std::string accountConfig = std::string(pw->pw_dir) + (std::string(pw->pw_dir) == "/" ? "" : "/") + ".config";
    struct Case
    {
        const char *xdg;
        const char *home;
        std::string expected;
    };
    const Case cases[] = {
        {"/x/conf", "/home/u", "/x/conf"},
        {nullptr, "/home/u", "/home/u/.config"},
        {"", "/home/u/", "/home/u/.config"},
        {"relative/conf", "/home/u", "/home/u/.config"}, // a relative folder is ignored
        {nullptr, nullptr, accountConfig},                // no HOME: the account's home
        {nullptr, "", accountConfig},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        EXPECT_EQ(userConfigFolder(c.xdg, c.home), c.expected);
    }
}

TEST(AppPathsTest, EnsureFolderCreatesParentsAndReportsFailure)
{
    TempDir dir;
    const std::string nested = dir.file("a/b/c");
    EXPECT_TRUE(ensureFolder(nested));
    EXPECT_TRUE(std::filesystem::is_directory(nested));
    EXPECT_TRUE(ensureFolder(nested)); // already there

    writeAll(dir.file("plain"), "x");
    EXPECT_FALSE(ensureFolder(dir.file("plain/sub"))); // a file stands in the way
}

TEST(AppPathsTest, ProcessPathsComeFromTheRunningProgramAndCreateTheDataFolder)
{
    TempDir dir;
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    const std::string exe = currentExecutablePath();
    EXPECT_EQ(AppDir(), std::filesystem::path(exe).parent_path().string());
    EXPECT_EQ(AppName(), "support_tests");
    EXPECT_EQ(IniFileName(), dir.file("brenwick/support_tests/support_tests.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(AppDataDir()));
}

} // namespace
} // namespace vantor
