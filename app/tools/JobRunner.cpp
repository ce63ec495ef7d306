#include "tools/JobRunner.h"

#include <QCoreApplication>
#include <thread>

namespace jobrunner {

void submit(std::function<void()> body)
{
    // A thread of its own per job (there is at most one): starting a thread orders everything the main thread
    // prepared before the body, which a pooled thread's internal queue does not show to ThreadSanitizer.
    std::thread(std::move(body)).detach();
}

void postToMainThread(std::function<void()> call)
{
    // The application object outlives every job; the owner itself may be gone by the time this runs.
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

} // namespace jobrunner
