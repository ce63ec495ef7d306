#include "tools/JobRunner.h"
#include "tools/ProcessRunner.h"

#include "ToolScripts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <system_error>

namespace {

// Spins the event loop until `done` holds or the time runs out.
template <typename Predicate>
bool waitFor(Predicate done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

} // namespace

TEST(JobRunner, WorkRunsInTheBackgroundAndTheOutcomeOnTheMainThread)
{
    QObject owner;
    auto job = std::make_shared<RenderJob>();
    QThread *workThread = nullptr;
    QThread *doneThread = nullptr;
    std::optional<JobOutcome<QString>> outcome;
    runJobInBackground(
        &owner, job,
        [&](RenderJob &) {
            workThread = QThread::currentThread();
            return QStringLiteral("rendered");
        },
        [&](JobOutcome<QString> result) {
            doneThread = QThread::currentThread();
            outcome = std::move(result);
        });
    ASSERT_TRUE(waitFor([&] { return outcome.has_value(); }));
    EXPECT_NE(workThread, QCoreApplication::instance()->thread());
    EXPECT_EQ(doneThread, QCoreApplication::instance()->thread());
    ASSERT_EQ(outcome->index(), 0u);
    EXPECT_EQ(std::get<0>(*outcome), "rendered");
}

TEST(JobRunner, FailuresBecomeTheirStatusText)
{
    QObject owner;
    std::vector<JobFailure> failures;
    auto failWith = [&](std::function<void()> thrower) {
        runJobInBackground(
            &owner, std::make_shared<RenderJob>(),
            [thrower](RenderJob &) {
                thrower();
                return 0;
            },
            [&](JobOutcome<int> result) {
                ASSERT_EQ(result.index(), 1u);
                failures.push_back(std::get<1>(result));
            });
    };
    failWith([] { throw ReviewError{"FFmpeg's own last line"}; });
    failWith([] { throw CancellationError{}; });
    failWith([] { throw std::system_error(ENOENT, std::system_category()); });
    ASSERT_TRUE(waitFor([&] { return failures.size() == 3; }));
    int cancelled = 0;
    QStringList messages;
    for (const auto &failure : failures) {
        cancelled += failure.cancelled ? 1 : 0;
        if (!failure.cancelled)
            messages << failure.message;
    }
    EXPECT_EQ(cancelled, 1);
    messages.sort();
    EXPECT_EQ(messages, (QStringList{"FFmpeg's own last line", "No such file or directory"}));
}

TEST(JobRunner, AnOutcomeForAVanishedOwnerIsDropped)
{
    auto owner = std::make_unique<QObject>();
    std::atomic<bool> release = false;
    std::atomic<bool> finished = false;
    bool called = false;
    runJobInBackground(
        owner.get(), std::make_shared<RenderJob>(),
        [&](RenderJob &) {
            while (!release)
                QThread::msleep(1);
            finished = true;
            return 1;
        },
        [&](JobOutcome<int>) { called = true; });
    owner.reset();
    release = true;
    ASSERT_TRUE(waitFor([&] { return finished.load(); }));
    waitFor([] { return false; }, 200); // time for the hand-over to arrive, were it not dropped
    EXPECT_FALSE(called);
}

TEST(JobRunner, CancellingAJobWhoseProgramRunsEndsItPromptly)
{
    QTemporaryDir dir;
    const QString slow = writeScript(dir.path(), "slow", "exec sleep 30");
    QObject owner;
    auto job = std::make_shared<RenderJob>();
    std::optional<JobOutcome<int>> outcome;
    runJobInBackground(
        &owner, job,
        [&](RenderJob &running) {
            runTool(slow, {}, dir.filePath("effect.log"), running);
            return 0;
        },
        [&](JobOutcome<int> result) { outcome = std::move(result); });
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard guard(job->lock);
        return job->active > 0;
    }));
    QElapsedTimer timer;
    timer.start();
    cancelRenderJob(*job);
    ASSERT_TRUE(waitFor([&] { return outcome.has_value(); }));
    EXPECT_LT(timer.elapsed(), 20000);
    ASSERT_EQ(outcome->index(), 1u);
    EXPECT_TRUE(std::get<1>(*outcome).cancelled);
}
