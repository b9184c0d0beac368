#pragma once

#include <string>
#include <string_view>

// The program's fixed paths: its own folder and name, and the per-user folder
// that holds its settings file. Pure C++; no Qt.
namespace vantor {

struct AppPaths
{
    std::string AppDir;      // folder of the program file, no trailing "/"
    std::string AppName;     // program file name without folder and extension
    std::string AppDataDir;  // <data folder>/brenwick/<AppName>
    std::string IniFileName; // <AppDataDir>/<AppName>.ini
};

// The paths for a program file and a per-user data folder. An empty data
// folder becomes "/", so the paths then start at the root.
AppPaths makeAppPaths(std::string_view exePath, std::string_view dataFolder);

// The per-user settings folder: $XDG_CONFIG_HOME when it is an absolute path,
// else <home>/.config with home from $HOME or, lacking that, the user's
// account entry; empty when none is known. Either pointer may be null.
std::string userConfigFolder(const char *xdgConfigHome, const char *home);
// The same, read from the environment.
std::string userConfigFolder();

// The full path of the running program file (/proc/self/exe); empty when
// it cannot be read.
std::string currentExecutablePath();

// Creates folder with every missing parent. True when it exists afterwards.
bool ensureFolder(const std::string &folder);

// The process-wide paths, determined on first use from the running program
// and the environment; the data folder is created then (a failure is only
// noticed when the settings file is written). Never change afterwards.
const AppPaths &appPaths();
inline const std::string &AppDir() { return appPaths().AppDir; }
inline const std::string &AppName() { return appPaths().AppName; }
inline const std::string &AppDataDir() { return appPaths().AppDataDir; }
inline const std::string &IniFileName() { return appPaths().IniFileName; }

// The login name of the effective user; "All Users" when it is unknown.
std::string GetCurrentUserName();

} // namespace vantor
