#pragma once

#include "streams/stringlist.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// What the text passes need to know of one plug-in library: its file name and
// the classes it says it builds (unsorted, looked up without regard to case).
// The loading of the libraries themselves lives elsewhere.
struct PluginClassList
{
    std::string moduleName;
    TStringList exportedClasses;
};

// The first record whose class list holds className (ignoring case), or
// nullptr when none does.
const PluginClassList *FindPluginForClass(const std::vector<PluginClassList> &plugins,
                                          std::string_view className);

} // namespace vantor
