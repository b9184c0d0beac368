// The subcommands that load forms as the viewer does. They live in a module
// of their own that vantor-tool opens only when one of them is asked for, so
// that the conversions start without loading Qt and the framework.

#include "commands.h"

#include <cstring>

extern "C" int vantorToolQtCommand(const char *name, int argc, char **argv)
{
    if (std::strcmp(name, "report") == 0)
        return runReport(argc, argv);
    if (std::strcmp(name, "render") == 0)
        return runRender(argc, argv);
    if (std::strcmp(name, "tree") == 0)
        return runTree(argc, argv);
    if (std::strcmp(name, "styles") == 0)
        return runStyles(argc, argv);
    if (std::strcmp(name, "plugins") == 0)
        return runPlugins(argc, argv);
    if (std::strcmp(name, "props") == 0)
        return runProps(argc, argv);
    if (std::strcmp(name, "open") == 0)
        return runOpen(argc, argv);
    return -1;
}
