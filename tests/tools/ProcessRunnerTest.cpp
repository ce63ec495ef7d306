#include "tools/ProcessRunner.h"

#include "ToolScripts.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <pthread.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>

using testsupport::readAll;
using testsupport::writeAll;

namespace {

// What a run ended with, as the status line would read it.
struct RunResult {
    bool ok = false;
    JobFailure failure;
    int systemError = 0;
};

RunResult run(const QString &program, const QStringList &arguments, const QString &log, RenderJob &job)
{
    RunResult result;
    try {
        runTool(program, arguments, log, job);
        result.ok = true;
    } catch (const std::system_error &error) {
        result.systemError = error.code().value();
        result.failure = describeFailure(std::current_exception());
    } catch (...) {
        result.failure = describeFailure(std::current_exception());
    }
    return result;
}

void expectNoChildrenLeft()
{
    // Every child has been reaped: nothing is left to wait for.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

class ProcessRunner : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString log() const { return dir.filePath("effect.log"); }
    QString script(const QString &name, const QByteArray &body) { return writeScript(dir.path(), name, body); }
};

} // namespace

TEST_F(ProcessRunner, SuccessDiscardsOutputAndEmptiesTheLogFirst)
{
    ASSERT_TRUE(writeAll(log(), "old text from an earlier run\n"));
    RenderJob job;
    const auto result = run(script("ok", "echo to stdout; echo warning >&2; exit 0"), {}, log(), job);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(readAll(log()), "warning\n");
    EXPECT_EQ(job.active, 0);
    expectNoChildrenLeft();
}

TEST_F(ProcessRunner, FailureTextIsTheLastNonEmptyErrorLine)
{
    RenderJob job;
    auto result = run(script("fails", "echo first >&2; printf 'Conversion failed!\\n\\n\\n' >&2; exit 1"), {}, log(), job);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.failure.cancelled);
    EXPECT_EQ(result.failure.message, "Conversion failed!");

    // Standard output is discarded, so a program that only writes there gets the fallback text.
    result = run(script("stdout-only", "echo 'Only on stdout'; exit 1"), {}, log(), job);
    EXPECT_EQ(result.failure.message, "The effect engine could not process this file.");

    // A child killed by a signal counts as failed.
    result = run(script("killed", "kill -KILL $$"), {}, log(), job);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure.message, "The effect engine could not process this file.");

    result = run(script("status3", "printf 'no newline at the end' >&2; exit 3"), {}, log(), job);
    EXPECT_EQ(result.failure.message, "no newline at the end");
    expectNoChildrenLeft();
}

TEST_F(ProcessRunner, OnlyTheLastWindowOfALongLogIsRead)
{
    // 3000 two-byte characters and a newline: 6001 bytes, so the window starts at byte 1905, inside one.
    QByteArray line;
    for (int i = 0; i < 3000; ++i)
        line += "\xc3\xa9";
    ASSERT_TRUE(writeAll(dir.filePath("line.txt"), "earlier line\n" + line + "\n"));
    RenderJob job;
    const auto result = run(script("long", "cat \"$1\" >&2; exit 1"), {dir.filePath("line.txt")}, log(), job);
    const QString expected = QChar(0xfffd) + QString(2047, QChar(0xe9));
    EXPECT_EQ(result.failure.message, expected);
}

TEST_F(ProcessRunner, ArgumentsArriveOneEachWithoutAShell)
{
    const QStringList awkward{"with space.mov", "it's \"quoted\"", "-leading-dash", "Łódź ąę 音声.wav", "$HOME",
                              "a;b|c>d", "", "*"};
    const QString out = dir.filePath("args.txt");
    RenderJob job;
    const auto result = run(script("args", "out=\"$1\"; shift; for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out\""),
                            QStringList{out} + awkward, log(), job);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(QString::fromUtf8(readAll(out)), awkward.join('\n') + '\n');
}

TEST_F(ProcessRunner, SystemErrorsForAMissingProgramOrAnUnwritableLog)
{
    RenderJob job;
    auto result = run(dir.filePath("no such program"), {}, log(), job);
    EXPECT_EQ(result.systemError, ENOENT);
    EXPECT_EQ(result.failure.message, QString::fromStdString(std::system_category().message(ENOENT)));
    EXPECT_EQ(job.active, 0);

    const QString marker = dir.filePath("ran");
    result = run(script("touch", "touch \"$1\""), {marker}, dir.filePath("missing folder/effect.log"), job);
    EXPECT_EQ(result.systemError, ENOENT);
    EXPECT_FALSE(QFile::exists(marker)); // the program never started

    QFile plain(dir.filePath("not executable"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    result = run(plain.fileName(), {}, log(), job);
    EXPECT_EQ(result.systemError, EACCES);
    expectNoChildrenLeft();
}

TEST_F(ProcessRunner, CancelledBeforeStartTouchesNothing)
{
    ASSERT_TRUE(writeAll(log(), "the previous run's text\n"));
    const QString marker = dir.filePath("ran");
    RenderJob job;
    cancelRenderJob(job);
    const auto result = run(script("touch", "touch \"$1\""), {marker}, log(), job);
    EXPECT_TRUE(result.failure.cancelled);
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_EQ(readAll(log()), "the previous run's text\n");
}

TEST_F(ProcessRunner, CancelWhileRunningTerminatesTheChild)
{
    const QString program = script("slow", "echo 'about to wait' >&2; exec sleep 30");
    // The application ignores or blocks quit signals in places; the child must still hear SIGTERM.
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGTERM, &ignore, &previous);
    sigset_t block, oldMask;
    sigemptyset(&block);
    sigaddset(&block, SIGTERM);

    RenderJob job;
    std::optional<RunResult> result;
    std::thread worker([&] {
        ::pthread_sigmask(SIG_BLOCK, &block, &oldMask);
        result = run(program, {}, log(), job);
    });
    const auto begin = std::chrono::steady_clock::now();
    for (;;) {
        {
            std::lock_guard guard(job.lock);
            if (job.active > 0)
                break;
        }
        ASSERT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    cancelRenderJob(job);
    worker.join();
    ::sigaction(SIGTERM, &previous, nullptr);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->failure.cancelled);
    // Well before the child's own 30 s: it was terminated, not waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
    EXPECT_EQ(job.active, 0);
    expectNoChildrenLeft();
}

TEST_F(ProcessRunner, ACancelledChainStopsBeforeItsNextProgram)
{
    RenderJob job;
    const QString first = dir.filePath("first"), second = dir.filePath("second");
    const QString touch = script("touch", "echo ran >&2; touch \"$1\"");
    EXPECT_TRUE(run(touch, {first}, log(), job).ok);
    cancelRenderJob(job);
    EXPECT_TRUE(run(touch, {second}, log(), job).failure.cancelled);
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_EQ(readAll(log()), "ran\n"); // the second run did not empty it
}
