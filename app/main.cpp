// Program entry of the viewer.

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/structurepane.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/standard.h"
#include "framework/fonts.h"
#include "framework/platform.h"
#include "loader/dfmview.h"
#include "loader/plugins.h"
#include "support/paths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long long epochMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The start timer's own handler, called after the benchmark's mark.
vantor::TNotifyEvent g_startTimerHandler;

// For the start-up benchmark and the screenshots of the looks: with
// VANTOR_BENCH_FIRST_FORM set, the program prints the wall-clock time (ms
// since the epoch) at which the first form has been presented and painted,
// and ends; with VANTOR_SCREENSHOT=FILE.png it saves a picture of the window
// then (after switching to the design-time view when VANTOR_SCREENSHOT_DT is
// set, and with the structure pane open and the component of that name
// chosen when VANTOR_SCREENSHOT_STRUCTURE=NAME is set) and ends. The benchmark also gets the time of the start timer's first
// tick ("first-timer-tick MS"), where the first load begins.
void watchFirstPresentation(vantor::TF_FMXWindowDisplay &window)
{
    const char *screenshot = std::getenv("VANTOR_SCREENSHOT");
    if (!std::getenv("VANTOR_BENCH_FIRST_FORM") && !screenshot)
        return;
    if (std::getenv("VANTOR_BENCH_FIRST_FORM") && window.Timer1) {
        g_startTimerHandler = window.Timer1->OnTimer;
        window.Timer1->OnTimer = vantor::TNotifyEvent::fromFunction(
            [](void *, vantor::TObject *sender) {
                static bool marked = false;
                if (!marked) {
                    marked = true;
                    std::printf("first-timer-tick %lld\n", epochMs());
                    std::fflush(stdout);
                }
                g_startTimerHandler(sender);
            },
            nullptr);
    }
    auto *poll = new QTimer(window.peer());
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [&window, poll, screenshot] {
        if (!window.Timer1 || window.Timer1->Enabled() || !window.DFMView().FormDyna)
            return;
        poll->stop();
        window.peer()->repaint();
        const long long now = epochMs();
        if (std::getenv("VANTOR_BENCH_FIRST_FORM")) {
            std::printf("first-form-shown %lld\n", now);
            std::fflush(stdout);
        }
        if (screenshot) {
            if (std::getenv("VANTOR_SCREENSHOT_DT"))
                window.bnDT->Click();
            if (const char *chosen = std::getenv("VANTOR_SCREENSHOT_STRUCTURE")) {
                window.bnStruktur->Click();
                const auto &nodes = window.pnStruktur->Tree().nodes;
                for (std::size_t i = 0; i < nodes.size(); ++i)
                    if (nodes[i].name == chosen) {
                        window.pnStruktur->ChooseNode(int(i));
                        break;
                    }
            }
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            window.peer()->grab().save(QString::fromLocal8Bit(screenshot));
        }
        QApplication::quit();
    });
    poll->start();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    vantor::installFrameworkFonts();

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    vantor::setCommandLineArguments(arguments);

    // Start-up of the units: paths and settings folder, then the host form's
    // screen scale, hand-off list and stored layout.
    static_cast<void>(vantor::appPaths());
    vantor::InitHostFormUnit();
    // The loader's start-up: the plug-in libraries beside the program, which
    // needs the program folder the paths have just set.
    vantor::LoadPlugIns();

    int result = 0;
    {
        vantor::TF_FMXWindowDisplay window(nullptr);
        if (window.TerminateRequested())
            return 0;
        window.ShowMainWindow();
        watchFirstPresentation(window);
        result = app.exec();
    }
    // The libraries stay loaded; only their class lists are released.
    vantor::UnloadPlugIns();
    return result;
}
