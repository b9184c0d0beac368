#pragma once

// The plug-in libraries: shared objects named "FMX*.dll" (letter case
// ignored) in the program folder that build controls of classes the viewer
// lacks. They are loaded once at start-up and stay loaded until the process
// ends, together with whatever they created. The interface they export is
// plugins/include/vantor/plugin.h.

#include "framework/rtti.h"
#include "loader/pluginclasses.h"
#include "streams/stringlist.h"

#include "vantor/plugin.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// One loaded library.
class TDFMPlugin : public TObject
{
    VANTOR_CLASS(TDFMPlugin, TObject)
public:
    TDFMPlugin() = default;

    // The library's exports; null when it does not export them.
    VantorGetWinControlFromClass GetWinControlFromClass = nullptr;
    VantorGetControlClassSupportList GetControlClassSupportList = nullptr;
    // The classes the library builds, in its order; look-ups ignore case.
    // Null when the library has no GetControlClassSupportList.
    std::unique_ptr<TStringList> slExportedClasses;
    // The file name without folder, as the folder listing spells it.
    std::string ModuleName;
    // The dlopen handle. The library is never closed.
    std::uintptr_t DLLHandle = 0;
};

// True when a file name matches "FMX*.dll", ignoring letter case.
bool MatchesPlugInMask(std::string_view fileName);

// The libraries found by the last scan, in the order of the folder listing.
const std::vector<std::unique_ptr<TDFMPlugin>> &PlugInList();
// What the text passes need of them: one record per library with a class
// list, in the same order.
const std::vector<PluginClassList> &PlugInClassLists();

// The scan: loads every file of folder (not its subfolders) whose name
// matches the mask, and asks each for its class list. A file that is not a
// loadable library leaves no record, and neither does a library whose
// class-list export fails (returns null or throws); a library without that
// export keeps a record without a class list and is never chosen. The program calls it once at start-up with AppDir, after the
// support paths are set; a second call replaces the list (records only: the
// libraries already loaded stay loaded).
void LoadPlugIns(const std::string &folder);
// The scan of the program folder (AppDir).
void LoadPlugIns();
// True once a scan has run.
bool PlugInsLoaded();

// The first record whose class list holds className (ignoring case), or null.
TDFMPlugin *FindPlugInForClass(std::string_view className);

// Releases the records' class lists at program end; the libraries stay loaded.
void UnloadPlugIns();

} // namespace vantor
