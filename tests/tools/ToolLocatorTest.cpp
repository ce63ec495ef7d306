#include "tools/ToolFinder.h"
#include "tools/ToolLocator.h"

#include "ToolScripts.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QStringList fixedPlaces{"/opt/homebrew/bin/ffmpeg", "/usr/local/bin/ffmpeg", "/home/r/.local/bin/ffmpeg",
                              "/opt/local/bin/ffmpeg", "/usr/bin/ffmpeg"};

std::function<bool(const QString &)> executableAmong(const QStringList &paths)
{
    const QSet<QString> set(paths.begin(), paths.end());
    return [set](const QString &path) { return set.contains(path); };
}
} // namespace

TEST(ToolLocator, CandidatesPutTheVariableFirstAndTheDistributionLast)
{
    EXPECT_EQ(ffmpegCandidates(std::nullopt, "/home/r"), fixedPlaces);
    EXPECT_EQ(ffmpegCandidates(QString("/x/ffmpeg"), "/home/r"), QStringList{"/x/ffmpeg"} + fixedPlaces);
    // Set but empty is still a candidate (it is skipped later, not dropped here).
    EXPECT_EQ(ffmpegCandidates(QString(""), "/home/r").size(), 6);
}

TEST(ToolLocator, TheVariableWinsOnlyWhenAbsoluteAndExecutable)
{
    const auto all = executableAmong({"/x/ffmpeg", "/opt/homebrew/bin/ffmpeg", "/usr/local/bin/ffmpeg",
                                      "/usr/bin/ffmpeg", "ffmpeg", "~/bin/ffmpeg", ""});
    EXPECT_EQ(firstAcceptedTool(ffmpegCandidates(QString("/x/ffmpeg"), "/home/r"), all), "/x/ffmpeg");
    // A bare name, a tilde path and an empty value are skipped even when the test would pass for them.
    for (const QString value : {"ffmpeg", "~/bin/ffmpeg", ""})
        EXPECT_EQ(firstAcceptedTool(ffmpegCandidates(value, "/home/r"), all), "/opt/homebrew/bin/ffmpeg") << value.toStdString();
    // A non-executable value is skipped; the fixed places follow in order.
    const auto fixedOnly = executableAmong({"/usr/local/bin/ffmpeg", "/usr/bin/ffmpeg"});
    EXPECT_EQ(firstAcceptedTool(ffmpegCandidates(QString("/x/ffmpeg"), "/home/r"), fixedOnly), "/usr/local/bin/ffmpeg");
    EXPECT_EQ(firstAcceptedTool(fixedPlaces, executableAmong({"/home/r/.local/bin/ffmpeg", "/usr/bin/ffmpeg"})),
              "/home/r/.local/bin/ffmpeg");
    EXPECT_EQ(firstAcceptedTool(fixedPlaces, executableAmong({"/usr/bin/ffmpeg"})), "/usr/bin/ffmpeg");
    EXPECT_FALSE(firstAcceptedTool(fixedPlaces, executableAmong({})));
}

TEST(ToolLocator, ExecutableTestNeedsARegularFileWithExecutePermission)
{
    QTemporaryDir dir;
    const QString script = writeScript(dir.path(), "tool", "exit 0");
    const QString plain = dir.filePath("plain");
    ASSERT_TRUE(QFile(script).exists());
    QFile(plain).open(QIODevice::WriteOnly);
    EXPECT_TRUE(isExecutableFile(script));
    EXPECT_FALSE(isExecutableFile(plain));
    EXPECT_FALSE(isExecutableFile(dir.path())); // a searchable directory is not a program
    EXPECT_FALSE(isExecutableFile(dir.filePath("absent")));
    EXPECT_TRUE(pathExists(plain));
    EXPECT_TRUE(pathExists(dir.path()));
    EXPECT_FALSE(pathExists(dir.filePath("absent")));
}

TEST(ToolLocator, FindFFmpegReadsTheVariableVerbatim)
{
    QTemporaryDir dir;
    const QString fake = writeScript(dir.path(), "my ffmpeg", "exit 0");
    const QByteArray saved = qgetenv("OSTRIVAN_FFMPEG");
    const bool wasSet = qEnvironmentVariableIsSet("OSTRIVAN_FFMPEG");
    qputenv("OSTRIVAN_FFMPEG", QFile::encodeName(fake));
    EXPECT_EQ(findFFmpeg(), fake);
    qputenv("OSTRIVAN_FFMPEG", QFile::encodeName(" " + fake)); // no trimming
    // The padded value is no path at all, so the search goes on as if the variable were unset.
    EXPECT_EQ(findFFmpeg(), firstAcceptedTool(ffmpegCandidates(std::nullopt, QDir::homePath()), isExecutableFile));
    qputenv("OSTRIVAN_FFMPEG", QFile::encodeName(fake).mid(1)); // relative
    EXPECT_NE(findFFmpeg(), fake.mid(1));
    if (wasSet)
        qputenv("OSTRIVAN_FFMPEG", saved);
    else
        qunsetenv("OSTRIVAN_FFMPEG");
}

TEST(ToolLocator, EffectRenderNamesTheDenoiserWithoutTestingIt)
{
    const auto none = effectRenderFrom(std::nullopt, QString("/res"));
    EXPECT_FALSE(none.value);
    EXPECT_EQ(none.message, "Install FFmpeg locally to use effects and speech tools.");

    const auto found = effectRenderFrom(QString("/usr/bin/ffmpeg"), QString("/res"));
    ASSERT_TRUE(found.value);
    EXPECT_FALSE(found.message);
    EXPECT_EQ(found.value->ffmpeg, "/usr/bin/ffmpeg");
    EXPECT_EQ(found.value->denoiser, "/res/Engines/ostrivan-denoise");
    EXPECT_EQ(found.value->demuxers, "mov,matroska,avi,wav,aiff,mp3,flac,ogg,aac,mpegts,asf");

    const auto noResources = effectRenderFrom(QString("/usr/bin/ffmpeg"), std::nullopt);
    ASSERT_TRUE(noResources.value);
    EXPECT_FALSE(noResources.value->denoiser);
}

TEST(ToolLocator, SpeechEngineChecksFFmpegFirstThenTheEngineFiles)
{
    QTemporaryDir res;
    ASSERT_TRUE(QDir(res.path()).mkpath("Engines"));
    const QString engines = res.filePath("Engines");
    const QString ffmpeg = "/usr/bin/ffmpeg";
    const QString speechMissing = "The local speech engine or model is missing. Reinstall this preview.";

    // Nothing there: FFmpeg's message comes first.
    auto result = speechEngineFrom(std::nullopt, res.path(), isExecutableFile, pathExists);
    EXPECT_FALSE(result.value);
    EXPECT_EQ(result.message, "Install FFmpeg locally to use effects and speech tools.");

    result = speechEngineFrom(ffmpeg, res.path(), isExecutableFile, pathExists);
    EXPECT_FALSE(result.value);
    EXPECT_EQ(result.message, speechMissing);

    // whisper-cli present but not executable.
    QFile whisper(engines + "/whisper-cli");
    ASSERT_TRUE(whisper.open(QIODevice::WriteOnly));
    whisper.close();
    QFile(engines + "/ggml-tiny.bin").open(QIODevice::WriteOnly);
    result = speechEngineFrom(ffmpeg, res.path(), isExecutableFile, pathExists);
    EXPECT_EQ(result.message, speechMissing);

    whisper.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    result = speechEngineFrom(ffmpeg, res.path(), isExecutableFile, pathExists);
    ASSERT_TRUE(result.value);
    EXPECT_FALSE(result.message);
    EXPECT_EQ(result.value->ffmpeg, ffmpeg);
    EXPECT_EQ(result.value->whisper, engines + "/whisper-cli");
    EXPECT_EQ(result.value->model, engines + "/ggml-tiny.bin");

    // The model missing again.
    QFile::remove(engines + "/ggml-tiny.bin");
    EXPECT_EQ(speechEngineFrom(ffmpeg, res.path(), isExecutableFile, pathExists).message, speechMissing);

    // No resource directory: nothing, silently.
    result = speechEngineFrom(ffmpeg, std::nullopt, isExecutableFile, pathExists);
    EXPECT_FALSE(result.value);
    EXPECT_FALSE(result.message);
}
