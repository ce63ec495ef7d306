#include "ViewerHarness.h"
#include "ToolScripts.h"

#include "inspector/BusySpinner.h"
#include "inspector/ReviewPanel.h"
#include "tools/ProcessRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace {
QString status(Viewer &viewer)
{
    return viewer.inspector->status->text();
}
} // namespace

TEST(JobControl, OneJobAtATimeWithItsStatusAndSpinner)
{
    ViewerHarness h;
    Viewer &v = h.viewer();
    std::atomic<bool> release = false;
    std::atomic<int> secondRan = 0;
    bool finished = false;
    v.startJob(
        "Rendering up to 8 seconds…",
        [&](RenderJob &) {
            while (!release)
                QThread::msleep(1);
        },
        [&] {
            finished = true;
            v.inspector->setStatus("Playing the rendered preview.");
        });
    ASSERT_TRUE(v.job);
    EXPECT_EQ(status(v), "Rendering up to 8 seconds…");
    EXPECT_EQ(v.inspector->status->toolTip(), "Rendering up to 8 seconds…");
    EXPECT_FALSE(v.inspector->spinner->isHidden());
    EXPECT_FALSE(v.inspector->cancel->isHidden());
    const auto first = v.job;

    v.startJob("Second", [&](RenderJob &) { ++secondRan; }, [] {});
    EXPECT_EQ(v.job, first);
    EXPECT_EQ(status(v), "Rendering up to 8 seconds…");

    release = true;
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }));
    EXPECT_TRUE(finished);
    EXPECT_EQ(secondRan, 0);
    EXPECT_EQ(status(v), "Playing the rendered preview.");
    EXPECT_TRUE(v.inspector->spinner->isHidden());
    EXPECT_TRUE(v.inspector->cancel->isHidden());
}

TEST(JobControl, CancelShowsCancellingThenJobCancelled)
{
    QTemporaryDir dir;
    const QString slow = writeScript(dir.path(), "slow", "exec sleep 30");
    ViewerHarness h;
    Viewer &v = h.viewer();
    bool finished = false;
    v.startJob(
        "Rendering the export…", [&](RenderJob &job) { runTool(slow, {}, dir.filePath("effect.log"), job); },
        [&] { finished = true; });
    ASSERT_TRUE(ViewerHarness::waitFor([&] {
        std::lock_guard guard(v.job->lock);
        return v.job->active > 0;
    }));
    v.cancelJob();
    EXPECT_EQ(status(v), "Cancelling…");
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }, 20000));
    EXPECT_EQ(status(v), "Job cancelled.");
    EXPECT_FALSE(finished);
    EXPECT_TRUE(v.inspector->spinner->isHidden());
}

TEST(JobControl, ALateCancelLetsTheResultStand)
{
    ViewerHarness h;
    Viewer &v = h.viewer();
    std::atomic<bool> release = false;
    v.startJob(
        "Rendering the export…",
        [&](RenderJob &) {
            // Past every cancellation check already.
            while (!release)
                QThread::msleep(1);
        },
        [&] { v.inspector->setStatus("Export complete."); });
    v.cancelJob();
    EXPECT_EQ(status(v), "Cancelling…");
    release = true;
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }));
    EXPECT_EQ(status(v), "Export complete.");
}

TEST(JobControl, AFailureShowsItsTextAndTheNextJobStartsAtOnce)
{
    ViewerHarness h;
    Viewer &v = h.viewer();
    v.startJob("Rendering…", [](RenderJob &) { throw ReviewError{"Conversion failed!"}; }, [] { FAIL(); });
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }));
    EXPECT_EQ(status(v), "Conversion failed!");
    EXPECT_EQ(v.inspector->status->toolTip(), "Conversion failed!");

    bool second = false;
    v.startJob("Again", [](RenderJob &) {}, [&] { second = true; });
    ASSERT_TRUE(v.job);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }));
    EXPECT_TRUE(second);
}

TEST(JobControl, CancelWithoutAJobOnlySaysCancelling)
{
    ViewerHarness h;
    h->inspector->setStatus("Note saved on this device.");
    h->cancelJob();
    EXPECT_EQ(status(h.viewer()), "Cancelling…");
    EXPECT_FALSE(h->job);
}

TEST(JobControl, SpeechJobHandsItsResultToTheFinish)
{
    ViewerHarness h;
    Viewer &v = h.viewer();
    std::optional<SpeechResult> got;
    v.startSpeechJob(
        [](RenderJob &) {
            SpeechResult result;
            result.srt = "1\n00:00:00,000 --> 00:00:01,000\nHello\n";
            return result;
        },
        [&](SpeechResult result) { got = std::move(result); });
    EXPECT_EQ(status(v), "Analyzing speech locally…");
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return got.has_value(); }));
    EXPECT_EQ(got->srt, "1\n00:00:00,000 --> 00:00:01,000\nHello\n");
}

TEST(JobControl, AnOutcomeAfterTheViewerIsGoneIsDropped)
{
    std::atomic<bool> release = false;
    std::atomic<bool> done = false;
    bool finished = false;
    {
        ViewerHarness h;
        h->startJob(
            "Rendering…",
            [&](RenderJob &) {
                while (!release)
                    QThread::msleep(1);
                done = true;
            },
            [&] { finished = true; });
    }
    release = true;
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return done.load(); }));
    ViewerHarness::waitFor([] { return false; }, 200);
    EXPECT_FALSE(finished);
}
