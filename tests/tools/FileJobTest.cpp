#include "tools/FileJob.h"
#include "tools/JobErrors.h"
#include "tools/ProcessRunner.h"
#include "tools/ScratchFiles.h"

#include "ToolScripts.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

using testsupport::readAll;
using testsupport::writeAll;

namespace {

ScratchFiles testScratchFiles()
{
    return systemScratchFiles();
}

QStringList scratchEntries(const QString &folder)
{
    return QDir(folder).entryList({".ostrivan-*"}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

struct Outcome {
    std::optional<QString> value;
    JobFailure failure;
};

Outcome runFileJob(RenderJob &job, const std::optional<QString> &destination, const FileRender &render,
                   const ScratchFiles &files = testScratchFiles())
{
    try {
        return {renderFile(job, "wav", destination, render, files), {}};
    } catch (...) {
        return {std::nullopt, describeFailure(std::current_exception())};
    }
}

// Runs with TMPDIR pointing at a private folder, so every scratch directory a job leaves can be seen.
class FileJob : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QTemporaryDir exports;
    QByteArray savedTmp;
    void SetUp() override
    {
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
    }
    void TearDown() override
    {
        if (savedTmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }
};

const FileRender writesWhole = [](const QString &output, RenderJob &) {
    ASSERT_TRUE(writeAll(output, "whole file"));
};

} // namespace

TEST_F(FileJob, PreviewKeepsItsPrivateDirectoryInTheTemporaryFolder)
{
    RenderJob job;
    const auto outcome = runFileJob(job, std::nullopt, writesWhole);
    ASSERT_TRUE(outcome.value) << outcome.failure.message.toStdString();
    const QFileInfo output(*outcome.value);
    EXPECT_EQ(output.fileName(), "preview.wav");
    EXPECT_EQ(output.dir().dirName().left(10), ".ostrivan-");
    EXPECT_EQ(QFileInfo(output.absolutePath()).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_EQ(readAll(*outcome.value), "whole file");
    EXPECT_EQ(QFile::permissions(output.absolutePath()) & (QFile::ReadGroup | QFile::ReadOther), 0);
}

TEST_F(FileJob, ExportRendersBesideTheDestinationAndMovesIntoPlace)
{
    const QString destination = exports.filePath("-take 'one' ü.wav");
    QString renderedIn;
    RenderJob job;
    const auto outcome = runFileJob(job, destination, [&](const QString &output, RenderJob &) {
        renderedIn = QFileInfo(output).absolutePath();
        writeAll(output, "whole file");
    });
    ASSERT_EQ(outcome.value, destination);
    EXPECT_EQ(QFileInfo(renderedIn).absolutePath(), QFileInfo(exports.path()).absoluteFilePath());
    EXPECT_EQ(readAll(destination), "whole file");
    EXPECT_TRUE(scratchEntries(exports.path()).isEmpty());
    EXPECT_TRUE(scratchEntries(temp.path()).isEmpty());
}

TEST_F(FileJob, FailuresAndCancellationsLeaveNothingBehind)
{
    RenderJob failing;
    auto outcome = runFileJob(failing, std::nullopt, [](const QString &output, RenderJob &) {
        writeAll(output, "partial");
        throw ReviewError{"Invalid data found when processing input"};
    });
    EXPECT_EQ(outcome.failure.message, "Invalid data found when processing input");

    // Cancelled after the render's last program but before the move.
    const QString destination = exports.filePath("out.wav");
    RenderJob late;
    outcome = runFileJob(late, destination, [](const QString &output, RenderJob &job) {
        writeAll(output, "whole file");
        cancelRenderJob(job);
    });
    EXPECT_TRUE(outcome.failure.cancelled);
    EXPECT_FALSE(QFileInfo::exists(destination));

    // No folder to make the scratch directory in.
    RenderJob nowhere;
    outcome = runFileJob(nowhere, exports.filePath("missing/out.wav"), writesWhole);
    EXPECT_EQ(outcome.failure.message, "No such file or directory");

    EXPECT_TRUE(scratchEntries(exports.path()).isEmpty());
    EXPECT_TRUE(scratchEntries(temp.path()).isEmpty());
}

TEST_F(FileJob, ADestinationThatAppearedMeanwhileIsNeverReplaced)
{
    const QString destination = exports.filePath("taken.wav");
    RenderJob job;
    const auto outcome = runFileJob(job, destination, [&](const QString &output, RenderJob &) {
        writeAll(destination, "another program's file");
        writeAll(output, "whole file");
    });
    EXPECT_EQ(outcome.failure.message, "A file with this name already exists. Choose a new name.");
    EXPECT_EQ(readAll(destination), "another program's file");
    EXPECT_TRUE(scratchEntries(exports.path()).isEmpty());
}

TEST_F(FileJob, ScratchDirectoriesAreFreshAndPrivate)
{
    const QString a = makeScratchDirectory(temp.path());
    const QString b = makeScratchDirectory(temp.path());
    EXPECT_NE(a, b);
    const QString name = QFileInfo(a).fileName();
    EXPECT_TRUE(QRegularExpression("^\\.ostrivan-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$")
                    .match(name)
                    .hasMatch())
        << name.toStdString();
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_THROW(makeScratchDirectory(temp.filePath("missing")), std::system_error);
    removeItemQuietly(a);
    removeItemQuietly(a); // a second time is quiet too
    EXPECT_FALSE(QFileInfo::exists(a));
}

TEST_F(FileJob, RandomCancelMomentsLeaveEitherNothingOrTheWholeFile)
{
    // A quick three-stage chain like the cleanup: decode, process, wrap, each a real child process.
    QTemporaryDir tools;
    const QString stage = writeScript(tools.path(), "stage", "sleep 0.00$3; cat \"$1\" > \"$2\"; echo stage done >&2");
    const QString source = tools.filePath("source");
    QByteArray whole;
    for (int i = 0; i < 2000; ++i)
        whole += "sample " + QByteArray::number(i) + "\n";
    ASSERT_TRUE(writeAll(source, whole));
    const FileRender chain = [&](const QString &output, RenderJob &job) {
        const QDir dir = QFileInfo(output).dir();
        const QString log = dir.filePath("effect.log");
        runTool(stage, {source, dir.filePath("original.pcm"), "3"}, log, job);
        runTool(stage, {dir.filePath("original.pcm"), dir.filePath("clean.pcm"), "2"}, log, job);
        runTool(stage, {dir.filePath("clean.pcm"), output, "1"}, log, job);
    };

    int cancelled = 0, completed = 0;
    for (int round = 0; round < 300; ++round) {
        const bool preview = round % 3 == 0;
        const QString destination = exports.filePath(QString("round %1.wav").arg(round));
        RenderJob job;
        Outcome outcome;
        std::thread worker([&] {
            outcome = runFileJob(job, preview ? std::nullopt : std::optional<QString>(destination), chain);
        });
        std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(40000)));
        cancelRenderJob(job);
        worker.join();
        if (outcome.failure.cancelled) {
            ++cancelled;
            EXPECT_FALSE(QFileInfo::exists(destination)) << round;
            EXPECT_TRUE(scratchEntries(temp.path()).isEmpty()) << round;
        } else {
            ++completed;
            ASSERT_TRUE(outcome.value) << round << outcome.failure.message.toStdString();
            EXPECT_EQ(readAll(*outcome.value), whole) << round;
            if (preview)
                QDir(QFileInfo(*outcome.value).absolutePath()).removeRecursively();
        }
        ASSERT_TRUE(scratchEntries(exports.path()).isEmpty()) << round;
        errno = 0;
        ASSERT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child was left unreaped";
    }
    // Both ends of the race were reached.
    EXPECT_GT(cancelled, 0);
    EXPECT_GT(completed, 0);
    std::printf("random cancels: %d cancelled, %d completed\n", cancelled, completed);
}
