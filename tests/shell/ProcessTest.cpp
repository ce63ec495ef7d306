// The program itself, started as a user would: the smoke test and non-X11 platforms.
#include "support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

struct ViewerRun {
    int status = -1;
    bool crashed = true;
    QByteArray out;
};

ViewerRun runViewer(const QStringList &arguments, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(testsupport::buildDir() + "/bin/OstrivanMediaViewer");
    process.setArguments(arguments);
    process.start();
    ViewerRun run;
    if (!process.waitForStarted(10000))
        return run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    return run;
}

class Media : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = std::make_unique<QTemporaryDir>();
        video = dir->path() + "/clip one.mp4";
        audio = dir->path() + "/tone.m4a";
        made = testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=5", "-c:v",
                                    "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", video})
               && testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=duration=10", "-c:a", "aac", audio});
    }
    static void TearDownTestSuite() { dir.reset(); }
    void SetUp() override { ASSERT_TRUE(made) << "FFmpeg could not make the test media"; }

    static inline std::unique_ptr<QTemporaryDir> dir;
    static inline QString video;
    static inline QString audio;
    static inline bool made = false;
};

} // namespace

TEST_F(Media, SmokePassesOnAVideo)
{
    const ViewerRun run = runViewer({"--smoke", video});
    EXPECT_FALSE(run.crashed);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, QByteArray("LibVLC video playback passed\n"));
}

TEST_F(Media, SmokeTimesOutOnAudioAndOnAMissingFile)
{
    for (const QString &path : {audio, dir->path() + "/missing.mp4"}) {
        const ViewerRun run = runViewer({"--smoke", path});
        EXPECT_FALSE(run.crashed) << path.toStdString();
        EXPECT_EQ(run.status, 1) << path.toStdString();
        EXPECT_EQ(run.out, QByteArray("LibVLC video playback timed out\n")) << path.toStdString();
    }
}

TEST_F(Media, RelativeSmokePathIsTakenFromTheWorkingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(dir->path());
    process.start(testsupport::buildDir() + "/bin/OstrivanMediaViewer", {"--smoke", "clip one.mp4"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray("LibVLC video playback passed\n"));
}

TEST_F(Media, PlaysWithoutAnX11SurfaceOnOtherPlatforms)
{
    // libVLC must not be handed a window it cannot use: frames go through its callbacks instead.
    for (const bool withDisplay : {true, false}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!withDisplay) {
            env.remove("DISPLAY");
            env.remove("WAYLAND_DISPLAY");
        }
        const ViewerRun run = runViewer({"--smoke", video}, env);
        EXPECT_FALSE(run.crashed) << "display: " << withDisplay;
        EXPECT_EQ(run.status, 0) << "display: " << withDisplay;
        EXPECT_EQ(run.out, QByteArray("LibVLC video playback passed\n")) << "display: " << withDisplay;
    }
}

TEST_F(Media, TerminationSignalsQuitInOrder)
{
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess process;
        process.start(testsupport::buildDir() + "/bin/OstrivanMediaViewer", {"--open", video});
        ASSERT_TRUE(process.waitForStarted(10000));
        QThread::msleep(1500); // launched and playing
        ASSERT_EQ(::kill(pid_t(process.processId()), sig), 0);
        ASSERT_TRUE(process.waitForFinished(15000)) << "still running after signal " << sig;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "signal " << sig;
        EXPECT_EQ(process.exitCode(), 0) << "signal " << sig;
    }
}

TEST_F(Media, FramesDrawnThroughCallbacksKeepTheirColours)
{
    // Off X11 the picture comes through libVLC's callbacks; a wrong pixel format would swap red and blue.
    const QString red = dir->path() + "/red.mp4";
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "color=c=red:s=320x240:r=25:d=12", "-c:v", "libx264",
                                     "-preset", "ultrafast", "-pix_fmt", "yuv420p", red}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(testsupport::buildDir() + "/tests/ov_screenshot_tool", {dir->path() + "/shots", red});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage shot(dir->path() + "/shots/playing-notes.png");
    ASSERT_FALSE(shot.isNull());
    // The video box fills the left part of the window below the file name.
    int redPixels = 0;
    int samples = 0;
    for (int x = shot.width() / 20; x < shot.width() / 2; x += 10) {
        for (int y = shot.height() / 3; y < shot.height() * 2 / 3; y += 10) {
            const QColor c = shot.pixelColor(x, y);
            redPixels += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            ++samples;
        }
    }
    EXPECT_GT(redPixels, samples * 9 / 10) << redPixels << " of " << samples;
}
