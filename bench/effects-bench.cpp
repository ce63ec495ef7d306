// Prints how long each effect's "Preview 8s" takes from the click to the preview playing, the same FFmpeg
// command lines run directly for reference, the time our code adds around a tool (measured with a tool that
// does almost nothing), and the cleanup export of long audio as a multiple of real time.
// Usage (under a display): ov_effects_bench CLIP LONG_AUDIO AUDIO_SECONDS
#include "ViewerHarness.h"

#include "effects/EffectCommands.h"
#include "effects/RenderEffect.h"
#include "inspector/ReviewPanel.h"
#include "tools/FileJob.h"
#include "tools/ToolFinder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

// Runs a program directly, without our runner, and returns its wall time in ms (-1 on failure).
double runDirect(const QString &program, const QStringList &arguments)
{
    QElapsedTimer timer;
    timer.start();
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &a : arguments)
        storage.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? double(timer.nsecsElapsed()) / 1e6 : -1;
}

double directRender(MediaEffect effect, const QString &source, qint64 start, RenderMode mode, const EffectRender &tools)
{
    QTemporaryDir dir;
    const QString output = dir.filePath("preview." + effectExtension(effect));
    double total = 0;
    for (const RenderStep &step : effectRenderSteps(effect, source, output, start, mode, tools.demuxers)) {
        const double ms = runDirect(step.program == RenderProgram::ffmpeg ? tools.ffmpeg : *tools.denoiser, step.arguments);
        if (ms < 0)
            return -1;
        total += ms;
    }
    return total;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s CLIP LONG_AUDIO AUDIO_SECONDS\n", argv[0]);
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const QString longAudio = QString::fromLocal8Bit(argv[2]);
    const double audioSeconds = QString::fromLocal8Bit(argv[3]).toDouble();
    const auto tools = findEffectRender().value;
    if (!tools) {
        std::fprintf(stderr, "FFmpeg not found\n");
        return 1;
    }
    std::printf("ffmpeg: %s\n", qPrintable(tools->ffmpeg));

    std::printf("\n%-24s %14s %14s %14s %12s\n", "Preview 8s", "click->ready", "click->playing", "direct tools",
                "difference");
    for (int index = 0; index < mediaEffectCount; ++index) {
        ViewerHarness h;
        Viewer &v = h.viewer();
        v.openMedia(clip);
        ViewerHarness::waitFor([&] { return h.playerState() == 3 && v.availableTime > 0; }, 20000);
        // Paused, as a reviewer usually is when choosing a moment: 1080p playback would otherwise take CPU
        // from the render here but not from the direct run below.
        v.togglePlay();
        ViewerHarness::waitFor([&] { return h.playerState() == 4; }, 20000);
        v.inspector->effect->setCurrentIndex(index);
        QElapsedTimer timer;
        timer.start();
        v.previewEffect();
        ViewerHarness::waitFor([&] { return !v.job; }, 600000);
        const double ready = double(timer.nsecsElapsed()) / 1e6;
        if (!v.preview) {
            std::printf("%-24s failed: %s\n", qPrintable(effectTitle(MediaEffect(index))),
                        qPrintable(v.inspector->status->text()));
            continue;
        }
        ViewerHarness::waitFor([&] { return h.playerState() == 3; }, 20000);
        const double playing = double(timer.nsecsElapsed()) / 1e6;
        const double direct = directRender(MediaEffect(index), clip, v.preview->start, RenderMode::preview, *tools);
        std::printf("%-24s %11.0f ms %11.0f ms %11.0f ms %9.0f ms\n", qPrintable(effectTitle(MediaEffect(index))),
                    ready, playing, direct, ready - direct);
    }

    // Our own cost around a tool, without FFmpeg's noise: a tool that only writes one byte, run 50 times
    // through a whole preview file job (thread, scratch directory, runner, log, hand-over) and directly.
    {
        QTemporaryDir dir;
        const QString fake = dir.filePath("fake-ffmpeg");
        QFile script(fake);
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nfor last; do :; done\nprintf x > \"$last\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("OSTRIVAN_FFMPEG", QFile::encodeName(fake));
        ViewerHarness h;
        Viewer &v = h.viewer();
        v.openMedia(clip);
        v.inspector->effect->setCurrentIndex(3);
        const int rounds = 50;
        double jobs = 0, direct = 0;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer timer;
            timer.start();
            v.previewEffect();
            ViewerHarness::waitFor([&] { return !v.job; }, 60000);
            jobs += double(timer.nsecsElapsed()) / 1e6;
            direct += directRender(MediaEffect::dialogueLevel, clip, 0, RenderMode::preview,
                                   EffectRender{fake, std::nullopt, effectDemuxers});
        }
        qunsetenv("OSTRIVAN_FFMPEG");
        std::printf("\noverhead per job with a trivial tool (%d rounds): job %.1f ms, direct %.1f ms, ours %.1f ms\n",
                    rounds, jobs / rounds, direct / rounds, (jobs - direct) / rounds);
    }

    // The cleanup export of long audio through the file job's work, on this thread.
    {
        QTemporaryDir out;
        RenderJob job;
        QElapsedTimer timer;
        timer.start();
        ScratchFiles files = ViewerHarness().viewer().scratchFiles();
        renderFile(job, "wav", out.filePath("clean.wav"),
                   [&](const QString &output, RenderJob &running) {
                       renderEffect(MediaEffect::dialogueCleanup, longAudio, output, 0, RenderMode::exportWhole, running,
                                    *tools);
                   },
                   files);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const double direct = directRender(MediaEffect::dialogueCleanup, longAudio, 0, RenderMode::exportWhole, *tools) / 1e3;
        std::printf("\ncleanup export of %.0f s of audio: %.1f s (%.1fx real time); the three programs directly: %.1f s\n",
                    audioSeconds, seconds, audioSeconds / seconds, direct);
    }
    return 0;
}
