#pragma once

#include "tools/JobErrors.h"
#include "tools/RenderJob.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <variant>

// A job's outcome: the work's value, or how it failed.
template <typename T>
using JobOutcome = std::variant<T, JobFailure>;

namespace jobrunner {
// Runs `body` on a background thread.
void submit(std::function<void()> body);
// Queues `call` to run on the main thread, after the calls queued before it.
void postToMainThread(std::function<void()> call);
} // namespace jobrunner

// Runs `work(job)` on a background thread and hands its outcome to `done` on the main thread, but only while
// `owner` still exists: the background side holds the owner weakly and never prolongs its life.
template <typename Work, typename Done>
void runJobInBackground(QObject *owner, std::shared_ptr<RenderJob> job, Work work, Done done)
{
    using Value = std::invoke_result_t<Work &, RenderJob &>;
    QPointer<QObject> weakOwner(owner);
    auto doneShared = std::make_shared<Done>(std::move(done));
    jobrunner::submit([weakOwner, job = std::move(job), work = std::move(work), doneShared]() mutable {
        auto outcome = std::make_shared<JobOutcome<Value>>(JobFailure{});
        try {
            *outcome = work(*job);
        } catch (...) {
            *outcome = describeFailure(std::current_exception());
        }
        jobrunner::postToMainThread([weakOwner, doneShared, outcome] {
            if (weakOwner)
                (*doneShared)(std::move(*outcome));
        });
    });
}
