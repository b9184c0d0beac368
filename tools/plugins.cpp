// vantor-tool plugins: the plug-in libraries beside the program, as the
// viewer loads them at start-up, each with the classes it builds.

#include "commands.h"
#include "headless.h"

#include "loader/plugins.h"
#include "support/paths.h"

#include <cstdio>
#include <exception>

using namespace vantor;

int runPlugins(int argc, char **)
{
    if (argc != 0) {
        std::fprintf(stderr, "usage: vantor-tool plugins\n");
        return 2;
    }
    try {
        tools::ensureApplication();
        tools::ensurePlugIns();
        if (PlugInList().empty())
            std::printf("Keine Plug-in-Bibliotheken in %s\n", AppDir().c_str());
        for (const auto &plugin : PlugInList()) {
            std::printf("%s\n", plugin->ModuleName.c_str());
            if (!plugin->slExportedClasses) {
                std::printf("  (keine Klassenliste)\n");
                continue;
            }
            for (int i = 0; i < plugin->slExportedClasses->count(); ++i)
                std::printf("  %s\n", (*plugin->slExportedClasses)[i].c_str());
        }
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vantor-tool plugins: %s\n", e.what());
        return 2;
    }
}
