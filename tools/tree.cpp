// vantor-tool tree: the component tree of a form as the viewer's structure
// pane shows it, one component a line: indentation, name, class, marks.

#include "commands.h"
#include "headless.h"

#include "framework/classes.h"
#include "loader/dfmview.h"
#include "loader/viewtree.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace vantor;

int runTree(int argc, char **argv)
{
    bool runtimeView = true;
    std::string file;
    if (!tools::parseViewArgs(argc, argv, 1, runtimeView, file, nullptr)) {
        std::fprintf(stderr, "usage: vantor-tool tree [--design-time] FILE\n");
        return 2;
    }
    try {
        tools::ensureApplication();
        TComponent formOwner(nullptr);
        TDFMView view;
        tools::ensurePlugIns();
        const tools::LoadOutcome outcome = tools::runLoad(view, formOwner, file, runtimeView);
        tools::presentMissing(view, runtimeView);
        if (outcome.status == tools::LoadOutcome::Status::ErrorLeft) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), outcome.error.c_str());
            return 2;
        }
        // A form the framework could not build still has its text: the tree
        // is printed, and the status says the build failed.
        const FormTree tree = FormTreeOfView(view);
        for (const FormTreeNode &node : tree.nodes)
            std::printf("%s\n", FormTreeLine(node).c_str());
        if (outcome.status == tools::LoadOutcome::Status::BuildFailed) {
            for (int i = 0; i < view.slMissing.count(); ++i)
                if (view.slMissing[i].rfind("Fehler: ", 0) == 0)
                    std::fprintf(stderr, "%s: %s\n", file.c_str(), view.slMissing[i].c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vantor-tool tree: %s\n", e.what());
        return 2;
    }
}
