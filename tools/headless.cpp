#include "headless.h"

#include "framework/controls/standard.h"
#include "framework/fonts.h"
#include "framework/tasks.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/plugins.h"
#include "loader/presentation.h"
#include "streams/errors.h"
#include "streams/stringlist.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

namespace tools {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vantor-tool";
    static char *argv[] = {name, nullptr};
    // Lives until the process ends: forms freed late still find it.
    new QApplication(argc, argv);
    vantor::installFrameworkFonts();
}

LoadOutcome runLoad(vantor::TDFMView &view, vantor::TComponent &owner, const std::string &file, bool runtimeView)
{
    LoadOutcome outcome;
    view.FormOwner = &owner;
    view.setWorkTextObserver([&outcome](const vantor::TStringList &lines) { outcome.workText = lines.toVector(); });
    try {
        outcome.status = view.GetDynaForm(file, runtimeView) ? LoadOutcome::Status::Built
                                                             : LoadOutcome::Status::BuildFailed;
    } catch (const vantor::Exception &e) {
        outcome.status = LoadOutcome::Status::ErrorLeft;
        outcome.error = e.message();
    } catch (const std::exception &e) {
        // Not one of the framework's errors: a fault of ours, reported all the same.
        outcome.status = LoadOutcome::Status::ErrorLeft;
        outcome.error = e.what();
    }
    view.setWorkTextObserver(nullptr);
    return outcome;
}

void ensurePlugIns()
{
    if (!vantor::PlugInsLoaded())
        vantor::LoadPlugIns();
}

void presentMissing(vantor::TDFMView &view, bool runtimeView)
{
    view.NeedFullWin = view.slMissing.count() > 0;
    if (!view.FormDyna || !view.NeedFullWin)
        return;
    view.SetMissingClasses(view.FormDyna, runtimeView);
    vantor::TTask::WaitForAll();
    QCoreApplication::processEvents();
}

std::unique_ptr<vantor::TControl> presentInPanel(vantor::TDFMView &view)
{
    if (!view.FormDyna)
        return nullptr;
    auto panel = std::make_unique<vantor::TPanel>(nullptr);
    panel->SetClipChildren(true);
    const QSizeF framed = vantor::FramedRectSize(view);
    const double inset = 2 * vantor::kShownPanelMargin;
    panel->SetBounds(0, 0, std::max(0.0, framed.width() - inset), std::max(0.0, framed.height() - inset));
    vantor::EmbeddForm(panel.get(), view.FormDyna);
    // Shown (and made the active window, which its picture shows), laid out
    // and painted once into its window. Painting empties the list of widgets
    // waiting for a repaint, which Qt searches for every widget freed later
    // (on a form of 50,000 components that search cost more than the paint).
    QWidget *widget = panel->peer();
    widget->setUpdatesEnabled(false);
    widget->show();
    vantor::TTask::WaitForAll();
    QCoreApplication::processEvents();
    widget->setUpdatesEnabled(true);
    widget->repaint();
    return panel;
}

bool parseViewArgs(int argc, char **argv, int positional, bool &runtimeView, std::string &file, std::string *out)
{
    runtimeView = true;
    std::vector<std::string> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--design-time") == 0)
            runtimeView = false;
        else
            rest.emplace_back(argv[i]);
    }
    if (int(rest.size()) != positional)
        return false;
    file = rest[0];
    if (out)
        *out = rest[1];
    return true;
}

} // namespace tools
