// Hand-off requests: the title's path, taking a request up once, and the
// real X11 look-up with `vantor-tool open` (under Xvfb).

#include "viewer.h"

#include "app/handoff.h"
#include "app/handoffrequests.h"
#include "framework/controls/standard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdlib>
#include <vector>

using namespace vantor;

namespace {

class RecordingHandOffWindows : public IHandOffWindows
{
public:
    std::optional<HandOffRequest> findRequest() override
    {
        ++lookUps;
        if (windows.empty())
            return std::nullopt;
        return windows.front();
    }
    void markTakenUp(const HandOffRequest &request) override { takenUp.push_back(request.title); }

    std::vector<HandOffRequest> windows;
    std::vector<std::string> takenUp;
    int lookUps = 0;
};

} // namespace

TEST(HandOff, ThePathIsTheTitleAfterItsFirstColon)
{
    struct Case
    {
        QString title;
        QString path;
    };
    const Case cases[] = {
        {QStringLiteral("Open:/forms/Main.fmx"), QStringLiteral("/forms/Main.fmx")},
        {QStringLiteral("Open:  /forms/Main.fmx \t"), QStringLiteral("/forms/Main.fmx")},
        {QStringLiteral("Open:C:\\Forms\\Main.fmx"), QStringLiteral("C:\\Forms\\Main.fmx")},
        {QStringLiteral("C:\\Forms\\Main.fmx"), QStringLiteral("\\Forms\\Main.fmx")},
        {QStringLiteral("/forms/Main.fmx"), QStringLiteral("/forms/Main.fmx")},
        {QStringLiteral("Open:/a:b/Main.fmx"), QStringLiteral("/a:b/Main.fmx")},
        {QString(), QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(requestPathFromTitle(c.title), c.path) << c.title.toStdString();
}

TEST(HandOff, ARequestIsTakenUpOncePerRun)
{
    RecordingHandOffWindows windows;
    setHandOffWindows(&windows);
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;

    const QString missing = testData(QStringLiteral("missing.fmx"));
    const std::string title = "Open:" + missing.toStdString();
    windows.windows = {{1, title}};
    w.TimNewWinTimer(w.TimNewWin);
    EXPECT_EQ(w.AFile, missing);
    EXPECT_EQ(w.lbFMXFileName->Text(), "missing.fmx");
    EXPECT_EQ(windows.takenUp, std::vector<std::string>{title});
    EXPECT_TRUE(isHandledRequest(QString::fromStdString(title).toUpper()));

    // The same title again (letter case aside) does nothing.
    w.GetForm(testData(QStringLiteral("plain.fmx")), true);
    windows.windows = {{2, "OPEN:" + missing.toStdString()}};
    w.TimNewWinTimer(w.TimNewWin);
    EXPECT_EQ(w.lbFMXFileName->Text(), "plain.fmx");
    EXPECT_EQ(windows.takenUp.size(), 1u);

    // A path that does not exist is taken up and ignored.
    windows.windows = {{3, "Open:/nonexistent/Gone.fmx"}};
    w.TimNewWinTimer(w.TimNewWin);
    EXPECT_EQ(w.lbFMXFileName->Text(), "plain.fmx");
    EXPECT_EQ(windows.takenUp.size(), 2u);
    EXPECT_TRUE(v.recorder.messages.isEmpty());

    // The polling timer drives the same look-up every 250 ms.
    const int before = windows.lookUps;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 700)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(windows.lookUps - before, 2);
    setHandOffWindows(nullptr);
}

TEST(HandOffX11, VantorToolOpenIsTakenUpByTheViewer)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X11 display (runs under xvfb-run)";
    X11HandOffWindows x11;
    ASSERT_FALSE(x11.findRequest().has_value());

    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;

    // A relative path: the tool makes it absolute.
    QProcess tool;
    tool.setWorkingDirectory(QStringLiteral(VANTOR_APP_TEST_DATA));
    tool.start(QStringLiteral(VANTOR_TOOL), {QStringLiteral("open"), QStringLiteral("missing.fmx")});
    ASSERT_TRUE(tool.waitForStarted());

    QElapsedTimer clock;
    clock.start();
    std::optional<HandOffRequest> seen;
    while (!seen && clock.elapsed() < 5000) {
        seen = x11.findRequest();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(seen.has_value());
    const QString absolute = QDir(QStringLiteral(VANTOR_APP_TEST_DATA)).absoluteFilePath(QStringLiteral("missing.fmx"));
    EXPECT_EQ(QString::fromStdString(seen->title), QStringLiteral("Open:") + absolute);

    // The viewer's polling takes it up; the tool then closes its window.
    while (w.lbFMXFileName->Text() != QLatin1String("missing.fmx") && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(w.AFile, absolute);
    // Keep the viewer's event loop running while the tool waits for it: a
    // blocking wait can hold back the viewer's mark on the request window.
    QElapsedTimer finishing;
    finishing.start();
    while (tool.state() != QProcess::NotRunning && finishing.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        tool.waitForFinished(20);
    }
    ASSERT_EQ(tool.state(), QProcess::NotRunning);
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_FALSE(x11.findRequest().has_value());
}

TEST(HandOffX11, AnUntakenRequestTimesOut)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X11 display (runs under xvfb-run)";
    QProcess tool;
    tool.start(QStringLiteral(VANTOR_TOOL), {QStringLiteral("open"), QStringLiteral("--timeout-ms"),
                                            QStringLiteral("300"), testData(QStringLiteral("plain.fmx"))});
    ASSERT_TRUE(tool.waitForFinished(5000));
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(tool.readAllStandardError().contains("abgeholt"));
}
