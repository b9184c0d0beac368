// vantor-tool render: one load as the viewer makes it, and a picture of the
// built form as it would be shown.

#include "commands.h"
#include "headless.h"

#include "framework/classes.h"
#include "framework/control.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <exception>
#include <string>

using namespace vantor;

int runRender(int argc, char **argv)
{
    bool runtimeView = true;
    std::string file;
    std::string out;
    if (!tools::parseViewArgs(argc, argv, 2, runtimeView, file, &out)) {
        std::fprintf(stderr, "usage: vantor-tool render [--design-time] FILE OUT.png\n");
        return 2;
    }
    try {
        tools::ensureApplication();
        // The panel the form is shown in; it goes after the form.
        std::unique_ptr<TControl> panel;
        // The tool has no main window to own the built form: this component
        // owns it and frees it at the end.
        TComponent formOwner(nullptr);
        TDFMView view;
        tools::ensurePlugIns();
        const tools::LoadOutcome outcome = tools::runLoad(view, formOwner, file, runtimeView);
        tools::presentMissing(view, runtimeView);
        if (outcome.status == tools::LoadOutcome::Status::ErrorLeft) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), outcome.error.c_str());
            return 2;
        }
        if (outcome.status == tools::LoadOutcome::Status::BuildFailed) {
            for (int i = 0; i < view.slMissing.count(); ++i)
                if (view.slMissing[i].rfind("Fehler: ", 0) == 0)
                    std::fprintf(stderr, "%s: %s\n", file.c_str(), view.slMissing[i].c_str());
            return 1;
        }
        // The picture is the viewer's panel with the form's controls in it.
        panel = tools::presentInPanel(view);
        const QPixmap picture = panel->peer()->grab();
        if (picture.isNull() || !picture.save(QString::fromStdString(out), "PNG")) {
            std::fprintf(stderr, "%s: Datei %s kann nicht erstellt werden\n", file.c_str(), out.c_str());
            return 2;
        }
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vantor-tool render: %s\n", e.what());
        return 2;
    }
}
