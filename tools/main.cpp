#include "commands.h"

#include <cstdio>
#include <cstring>

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
    {"report", runReport, "report [--design-time] FILE"},
    {"render", runRender, "render [--design-time] FILE OUT.png"},
    {"plugins", runPlugins, "plugins"},
    {"open", runOpen, "open [--timeout-ms MS] FILE"},
    {"props", runProps, "props [--counts] [CLASS...]"},
#endif
};

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
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(argc - 2, argv + 2);
    std::fprintf(stderr, "%s: unbekannter Befehl: %s\n", program, argv[1]);
    return usage(program);
}
