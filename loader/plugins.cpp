#include "loader/plugins.h"

#include "loader/dfmview.h"
#include "streams/memorystream.h"
#include "support/paths.h"

#include <dirent.h>
#include <dlfcn.h>

#include <algorithm>
#include <exception>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TDFMPlugin)

namespace {

struct PlugInState
{
    std::vector<std::unique_ptr<TDFMPlugin>> plugins;
    std::vector<PluginClassList> classLists;
    // classLists[i] belongs to listed[i].
    std::vector<TDFMPlugin *> listed;
    bool scanned = false;
};

PlugInState &state()
{
    static PlugInState s;
    return s;
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// The file names of folder, in the order the listing returns them; files
// only (a link to a file counts), no subfolders.
std::vector<std::string> listFiles(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (entry->d_type == DT_DIR)
            continue;
        names.push_back(name);
    }
    closedir(dir);
    return names;
}

// Reads the class list out of the library's stream and frees the stream.
// Null when the library gives none or fails.
std::unique_ptr<TStringList> readClassList(VantorGetControlClassSupportList getList)
{
    TMemoryStream *stream = nullptr;
    try {
        stream = static_cast<TMemoryStream *>(getList());
    } catch (...) {
        return nullptr;
    }
    if (!stream)
        return nullptr;
    auto list = std::make_unique<TStringList>();
    try {
        stream->setPosition(0);
        list->loadFromStream(*stream);
    } catch (...) {
        list.reset();
    }
    delete stream;
    if (list) {
        // A blank line names no class; "" must never find a library.
        list->removeIf([](const TStringList::Item &item) {
            return item.text.find_first_not_of(" \t") == std::string::npos;
        });
    }
    return list;
}

} // namespace

bool MatchesPlugInMask(std::string_view fileName)
{
    if (fileName.size() < 7)
        return false;
    auto startsWith = [&](std::string_view prefix, std::size_t at) {
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (lowerAscii(fileName[at + i]) != prefix[i])
                return false;
        return true;
    };
    return startsWith("fmx", 0) && startsWith(".dll", fileName.size() - 4);
}

const std::vector<std::unique_ptr<TDFMPlugin>> &PlugInList()
{
    return state().plugins;
}

const std::vector<PluginClassList> &PlugInClassLists()
{
    return state().classLists;
}

bool PlugInsLoaded()
{
    return state().scanned;
}

void LoadPlugIns(const std::string &folder)
{
    PlugInState &s = state();
    s.plugins.clear();
    s.classLists.clear();
    s.listed.clear();
    s.scanned = true;
    for (const std::string &name : listFiles(folder)) {
        if (!MatchesPlugInMask(name))
            continue;
        auto plugin = std::make_unique<TDFMPlugin>();
        plugin->ModuleName = name;
        // By full path: dlopen with a bare name searches the system's library
        // folders, not the program folder, and could load another file.
        const std::string path = folder.empty() ? name : folder + "/" + name;
        void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            continue;
        plugin->DLLHandle = reinterpret_cast<std::uintptr_t>(handle);
        plugin->GetWinControlFromClass =
            reinterpret_cast<VantorGetWinControlFromClass>(dlsym(handle, "GetWinControlFromClass"));
        plugin->GetControlClassSupportList =
            reinterpret_cast<VantorGetControlClassSupportList>(dlsym(handle, "GetControlClassSupportList"));
        if (plugin->GetControlClassSupportList) {
            plugin->slExportedClasses = readClassList(plugin->GetControlClassSupportList);
            // A library that fails to give its list is skipped altogether.
            if (!plugin->slExportedClasses)
                continue;
        }
        s.plugins.push_back(std::move(plugin));
    }
    for (const auto &plugin : s.plugins) {
        if (!plugin->slExportedClasses)
            continue;
        s.classLists.push_back(PluginClassList{plugin->ModuleName, *plugin->slExportedClasses});
        s.listed.push_back(plugin.get());
    }
}

void LoadPlugIns()
{
    LoadPlugIns(AppDir());
}

TDFMPlugin *FindPlugInForClass(std::string_view className)
{
    const PlugInState &s = state();
    const PluginClassList *record = FindPluginForClass(s.classLists, className);
    return record ? s.listed[std::size_t(record - s.classLists.data())] : nullptr;
}

void UnloadPlugIns()
{
    for (const auto &plugin : state().plugins)
        plugin->slExportedClasses.reset();
    state().classLists.clear();
    state().listed.clear();
}

TDFMPlugin *TDFMView::GetPlugInForClass(const std::string &CName) const
{
    return FindPlugInForClass(CName);
}

} // namespace vantor
