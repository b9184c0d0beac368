// Platform services behind their interfaces, and the task helper with its
// queued call to the user-interface thread.
#include "framework/classes.h"
#include "framework/platform.h"
#include "framework/tasks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

using namespace vantor;

TEST(Services, RecordingImplementationsStandInForTheDesktop)
{
    RecordingClipboardService clipboard;
    RecordingMouseService mouse;
    RecordingMessageBoxService box;
    {
        ScopedClipboard c(&clipboard);
        ScopedMouse m(&mouse);
        ScopedMessageBox b(&box);
        clipboardService().setText(QStringLiteral("RegisterClass(TFoo);"));
        mouse.position = QPointF(12, 34);
        EXPECT_EQ(mouseService().mousePos(), QPointF(12, 34));
        ShowMessage(QStringLiteral("TTimer"));
    }
    EXPECT_EQ(clipboard.text(), QStringLiteral("RegisterClass(TFoo);"));
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_EQ(box.messages, QStringList{QStringLiteral("TTimer")});
    // The Qt implementations are back.
    EXPECT_NE(dynamic_cast<QtClipboardService *>(&clipboardService()), nullptr);
    EXPECT_NE(dynamic_cast<QtMessageBoxService *>(&messageBoxService()), nullptr);
}

namespace {

// Handles events until `done` or two seconds have passed.
void processUntil(const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        TTask::WaitForAll();
        Application::ProcessMessages();
    }
}

} // namespace

TEST(Tasks, ATaskQueuesACallThatRunsOnTheUiThread)
{
    std::atomic<bool> ranInPool{false};
    QThread *uiThread = QThread::currentThread();
    QThread *calledOn = nullptr;
    TComponent target(nullptr);
    std::weak_ptr<void> alive = target.aliveToken();
    TTask::Run([&, alive] {
        ranInPool = QThread::currentThread() != uiThread;
        TThread::Queue(alive, [&] { calledOn = QThread::currentThread(); });
    });
    processUntil([&] { return calledOn != nullptr; });
    EXPECT_TRUE(ranInPool);
    EXPECT_EQ(calledOn, uiThread);
}

TEST(Tasks, AQueuedCallForADestroyedTargetIsDropped)
{
    bool called = false;
    auto *target = new TComponent(nullptr);
    TThread::Queue(target, [&] { called = true; });
    delete target;
    bool marker = false;
    TThread::Queue([&] { marker = true; }); // runs after the dropped one
    processUntil([&] { return marker; });
    EXPECT_TRUE(marker);
    EXPECT_FALSE(called);
}
