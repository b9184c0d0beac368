#pragma once

// Background work and calls queued to the user-interface thread: the
// framework's TTask on the default thread pool and TThread::Queue.

#include <functional>
#include <memory>

namespace vantor {

class TComponent;

class TTask
{
public:
    // Runs `work` on the default thread pool and returns at once.
    static void Run(std::function<void()> work);
    // Waits until every task started with Run has finished (tests, shut-down).
    static void WaitForAll();
};

class TThread
{
public:
    // Queues `call` to the user-interface thread, from any thread; nobody
    // waits for it. It runs the next time that thread handles events.
    static void Queue(std::function<void()> call);
    // As Queue, but the call is dropped when `target` has been destroyed
    // by the time it would run. Call it on the user-interface thread; from a
    // pool thread use the overload with the target's aliveToken(), taken on
    // the user-interface thread before the task started.
    static void Queue(TComponent *target, std::function<void()> call);
    static void Queue(std::weak_ptr<void> alive, std::function<void()> call);
};

class Application
{
public:
    // Handles pending events, including queued calls (the framework's
    // ProcessMessages).
    static void ProcessMessages();
};

} // namespace vantor
