#include "shell/Viewer.h"

#include "inspector/BusySpinner.h"
#include "inspector/ReviewPanel.h"
#include "tools/JobRunner.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolFinder.h"

std::optional<QString> Viewer::locateFFmpeg() const
{
    return findFFmpeg();
}

std::optional<EffectRender> Viewer::makeEffectRender()
{
    // Looked up on every action, so a tool installed while the application runs is found next time.
    const auto found = findEffectRender();
    if (found.message)
        inspector->setStatus(*found.message);
    return found.value;
}

std::optional<SpeechEngine> Viewer::makeSpeechEngine()
{
    const auto found = findSpeechEngine();
    if (found.message)
        inspector->setStatus(*found.message);
    return found.value;
}

void Viewer::startJob(const QString &status, std::function<void(RenderJob &)> work, std::function<void()> finish)
{
    if (job)
        return;
    job = std::make_shared<RenderJob>();
    inspector->setStatus(status);
    inspector->spinner->show();
    refreshControls();
    // The work's value travels inside `work` and `finish` themselves; the runner only reports success.
    runJobInBackground(
        this, job,
        [work = std::move(work)](RenderJob &running) {
            work(running);
            return true;
        },
        [this, finish = std::move(finish)](JobOutcome<bool> outcome) {
            if (const auto *failure = std::get_if<JobFailure>(&outcome))
                finishJob(*failure, finish);
            else
                finishJob(std::nullopt, finish);
        });
}

void Viewer::startSpeechJob(std::function<SpeechResult(RenderJob &)> work, std::function<void(SpeechResult)> finish)
{
    auto result = std::make_shared<SpeechResult>();
    startJob(
        QStringLiteral("Analyzing speech locally…"),
        [result, work = std::move(work)](RenderJob &running) { *result = work(running); },
        [result, finish = std::move(finish)] { finish(std::move(*result)); });
}

void Viewer::finishJob(const std::optional<JobFailure> &failure, const std::function<void()> &finish)
{
    job.reset();
    inspector->spinner->hide();
    if (failure)
        inspector->setStatus(failure->cancelled ? QStringLiteral("Job cancelled.") : failure->message);
    else if (finish)
        finish();
    refreshControls();
}

void Viewer::cancelJob()
{
    requestJobCancellation();
    inspector->setStatus(QStringLiteral("Cancelling…"));
}

// Marks the running job cancelled and asks its child to stop, without waiting and without any message.
void Viewer::requestJobCancellation()
{
    if (job)
        cancelRenderJob(*job);
}
