#include "support/paths.h"

#include <filesystem>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace vantor {

namespace {

constexpr std::string_view kMakerFolder = "brenwick";

std::string accountHome()
{
    const passwd *pw = getpwuid(geteuid());
    return pw && pw->pw_dir ? std::string(pw->pw_dir) : std::string();
}

} // namespace

AppPaths makeAppPaths(std::string_view exePath, std::string_view dataFolder)
{
    AppPaths paths;
    const std::size_t slash = exePath.rfind('/');
    // A program in the root folder keeps "/" as its folder rather than an empty one.
    if (slash == std::string_view::npos)
        paths.AppDir = std::string();
    else
        paths.AppDir = std::string(exePath.substr(0, slash == 0 ? 1 : slash));
    std::string_view name = slash == std::string_view::npos ? exePath : exePath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    paths.AppName = std::string(name);

    std::string folder(dataFolder);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    paths.AppDataDir = folder + std::string(kMakerFolder) + '/' + paths.AppName;
    paths.IniFileName = paths.AppDataDir + '/' + paths.AppName + ".ini";
    return paths;
}

std::string userConfigFolder(const char *xdgConfigHome, const char *home)
{
    // A relative XDG_CONFIG_HOME would make the settings depend on the
    // current folder; the convention says to ignore it.
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        return xdgConfigHome;
    std::string base = home && home[0] ? std::string(home) : accountHome();
    if (base.empty())
        return {};
    if (base.back() != '/')
        base += '/';
    return base + ".config";
}

std::string userConfigFolder()
{
    return userConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string currentExecutablePath()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

bool ensureFolder(const std::string &folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

const AppPaths &appPaths()
{
    static const AppPaths paths = [] {
        AppPaths p = makeAppPaths(currentExecutablePath(), userConfigFolder());
        ensureFolder(p.AppDataDir);
        return p;
    }();
    return paths;
}

std::string GetCurrentUserName()
{
    // getpwuid_r: the user interface thread is not the only caller in tests.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name
        && found->pw_name[0])
        return found->pw_name;
    return "All Users";
}

} // namespace vantor
