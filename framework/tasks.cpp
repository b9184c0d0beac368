#include "framework/tasks.h"

#include "framework/classes.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QRunnable>
#include <QThreadPool>

namespace vantor {

void TTask::Run(std::function<void()> work)
{
    QThreadPool::globalInstance()->start(std::move(work));
}

void TTask::WaitForAll()
{
    QThreadPool::globalInstance()->waitForDone();
}

void TThread::Queue(std::function<void()> call)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
}

void TThread::Queue(TComponent *target, std::function<void()> call)
{
    Queue(target ? target->aliveToken() : std::weak_ptr<void>(), std::move(call));
}

void TThread::Queue(std::weak_ptr<void> alive, std::function<void()> call)
{
    Queue([alive = std::move(alive), call = std::move(call)] {
        if (!alive.expired())
            call();
    });
}

void Application::ProcessMessages()
{
    QCoreApplication::processEvents();
}

} // namespace vantor
