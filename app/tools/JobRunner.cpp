#include "tools/JobRunner.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace jobrunner {

void submit(std::function<void()> body)
{
    QThreadPool::globalInstance()->start(std::move(body));
}

void postToMainThread(std::function<void()> call)
{
    // The application object outlives every job; the owner itself may be gone by the time this runs.
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

} // namespace jobrunner
