#include "commands.h"

#include "sourceview/procindex.h"
#include "streams/errors.h"

#include <cstdio>
#include <string>

// vantor-tool procs UNIT.pas: the unit's procedure index as the source pane
// builds it, one entry a line: the 0-based source line, a tab, the text.
int runProcs(int argc, char **argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: vantor-tool procs UNIT.pas\n");
        return 2;
    }
    vantor::TStringList source;
    try {
        vantor::LoadSourceFile(argv[0], source);
    } catch (const vantor::Exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    vantor::TStringList index;
    vantor::FillProcIndex(source, index);
    std::string out;
    for (const auto &item : index.items()) {
        out += std::to_string(item.tag);
        out += '\t';
        out += item.text;
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
}
