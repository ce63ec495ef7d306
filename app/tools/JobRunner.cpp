#include "tools/JobRunner.h"

#include <QCoreApplication>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Bodies still running, so that the application's exit waits for a cancelled job to clean up after itself
// (remove its scratch directory) instead of cutting it off, and no outcome is posted to a dying application.
std::mutex bodiesLock;
std::condition_variable bodiesDone;
int runningBodies = 0;
bool closing = false;
bool exitHookInstalled = false;

void waitForBodiesAtExit()
{
    std::unique_lock lock(bodiesLock);
    closing = true;
    // A cancelled child ends within moments of its terminate request; a bound keeps a stuck one from hanging exit.
    bodiesDone.wait_for(lock, std::chrono::seconds(10), [] { return runningBodies == 0; });
}

} // namespace

namespace jobrunner {

void submit(std::function<void()> body)
{
    {
        std::lock_guard lock(bodiesLock);
        if (!exitHookInstalled) {
            qAddPostRoutine(waitForBodiesAtExit);
            exitHookInstalled = true;
        }
        closing = false;
        ++runningBodies;
    }
    // A thread of its own per job (there is at most one): starting a thread orders everything the main thread
    // prepared before the body, which a pooled thread's internal queue does not show to ThreadSanitizer.
    std::thread([body = std::move(body)]() mutable {
        body();
        body = nullptr; // the body's captures go before the exit hook may return
        // Notified under the lock, so the exit hook's own locking orders this thread's last steps before it.
        std::lock_guard lock(bodiesLock);
        --runningBodies;
        bodiesDone.notify_all();
    }).detach();
}

void postToMainThread(std::function<void()> call)
{
    std::lock_guard lock(bodiesLock);
    // Once the application is closing, nothing is left to show the outcome.
    if (closing || !QCoreApplication::instance())
        return;
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

} // namespace jobrunner
