#include "commands.h"

#include <cstdio>
#include <cstring>

#ifdef VANTOR_WITH_QT
#include <dlfcn.h>
#endif

namespace {

struct Command
{
    const char *name;
    int (*run)(int argc, char **argv);
    const char *usage;
};

// Later subcommands (report, render, procs, plugins, open) join this table.
constexpr Command kCommands[] = {
    {"convert", runConvert, "convert --to-binary|--to-text IN OUT"},
    {"procs", runProcs, "procs UNIT.pas"},
#ifdef VANTOR_WITH_QT
    {"report", nullptr, "report [--design-time] FILE"},
    {"render", nullptr, "render [--design-time] FILE OUT.png"},
    {"tree", nullptr, "tree [--design-time] FILE"},
    {"styles", nullptr, "styles [--design-time] FILE [STYLE]"},
    {"plugins", nullptr, "plugins"},
    {"open", nullptr, "open [--timeout-ms MS] FILE"},
    {"props", nullptr, "props [--counts] [--own] [CLASS...]"},
#endif
};

#ifdef VANTOR_WITH_QT
// The commands without a function here are in the Qt module (qtcommands.cpp),
// found through the program's library path.
int runQtCommand(const char *program, const char *name, int argc, char **argv)
{
    void *module = dlopen(VANTOR_TOOL_QT_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "%s: %s\n", program, dlerror());
        return 2;
    }
    using Entry = int (*)(const char *, int, char **);
    auto entry = reinterpret_cast<Entry>(dlsym(module, "vantorToolQtCommand"));
    if (!entry) {
        std::fprintf(stderr, "%s: %s\n", program, dlerror());
        return 2;
    }
    // The module stays loaded: Qt's objects end with the process.
    return entry(name, argc, argv);
}
#endif

int usage(const char *program)
{
    std::fprintf(stderr, "usage:\n");
    for (const Command &c : kCommands)
        std::fprintf(stderr, "  %s %s\n", program, c.usage);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const char *program = argc > 0 ? argv[0] : "vantor-tool";
    if (argc < 2)
        return usage(program);
    for (const Command &c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) {
#ifdef VANTOR_WITH_QT
            if (!c.run)
                return runQtCommand(program, c.name, argc - 2, argv + 2);
#endif
            return c.run(argc - 2, argv + 2);
        }
    std::fprintf(stderr, "%s: unbekannter Befehl: %s\n", program, argv[1]);
    return usage(program);
}
