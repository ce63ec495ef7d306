#include "shell/Viewer.h"

#include <csignal>
#include <mutex>

void Viewer::cancelJob()
{
    if (!job)
        return;
    // Cancelling from the inspector (with its status text) arrives with job control.
}

// Marks the running job cancelled and asks its child to stop, without waiting and without any message.
void Viewer::requestJobCancellation()
{
    if (!job)
        return;
    std::lock_guard guard(job->lock);
    job->cancelled = true;
    // `active` is non-zero only while the child has not been reaped, so the pid cannot have been reused.
    if (job->active > 0)
        ::kill(job->active, SIGTERM);
}
