#include "effects/RenderEffect.h"
#include "tools/JobErrors.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::buildDir;

namespace {

struct Probe {
    QJsonArray streams;
    double duration = 0;
    QJsonObject stream(const QString &type) const
    {
        for (const auto &s : streams)
            if (s.toObject()["codec_type"].toString() == type)
                return s.toObject();
        return {};
    }
    int count(const QString &type) const
    {
        int n = 0;
        for (const auto &s : streams)
            n += s.toObject()["codec_type"].toString() == type ? 1 : 0;
        return n;
    }
};

Probe probe(const QString &path)
{
    const auto result = testsupport::runProgram(
        "ffprobe", {"-v", "error", "-show_streams", "-show_format", "-of", "json", path});
    const QJsonObject root = QJsonDocument::fromJson(result.out).object();
    return {root["streams"].toArray(), root["format"].toObject()["duration"].toString().toDouble()};
}

// Media made once for the whole suite, in a folder whose name has a space, a quote, a dash and non-ASCII.
class EffectRenders : public ::testing::Test {
protected:
    static inline std::unique_ptr<QTemporaryDir> root;
    static inline QString media;
    static QString odd() { return media + "/-odd 'clip' ü.mov"; }
    static QString silent() { return media + "/silent.mkv"; }
    static QString stereo() { return media + "/stereo \"talk\".wav"; }

    static void SetUpTestSuite()
    {
        root = std::make_unique<QTemporaryDir>();
        media = root->filePath("média 'in' \"here\"");
        QDir().mkpath(media);
        // 12 s of odd-sized picture (FFV1 keeps odd sizes) with a tone; 3 s of picture without sound; 10 s of stereo 44.1 kHz sound.
        testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=12,scale=321:241", "-f", "lavfi", "-i",
                             "sine=frequency=440:duration=12:sample_rate=44100", "-c:v", "ffv1", "-c:a", "aac",
                             "-shortest", odd()});
        testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=3", "-c:v", "libx264",
                             "-preset", "ultrafast", silent()});
        testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=frequency=300:duration=10:sample_rate=44100", "-f", "lavfi",
                             "-i", "anoisesrc=duration=10:sample_rate=44100:amplitude=0.1", "-filter_complex",
                             "[0][1]amerge=inputs=2", "-c:a", "pcm_s16le", stereo()});
    }
    static void TearDownTestSuite() { root.reset(); }

    QTemporaryDir scratch;
    QString output(const QString &extension) const { return scratch.filePath("preview." + extension); }

    ::EffectRender tools() const
    {
        return {"/usr/bin/ffmpeg", buildDir() + "/share/ostrivan-media-viewer/Engines/ostrivan-denoise",
                "mov,matroska,avi,wav,aiff,mp3,flac,ogg,aac,mpegts,asf"};
    }

    // Renders and returns the failure text, or nothing on success.
    std::optional<QString> render(MediaEffect effect, const QString &source, const QString &out, qint64 start,
                                  RenderMode mode, std::optional<::EffectRender> with = std::nullopt)
    {
        RenderJob job;
        try {
            renderEffect(effect, source, out, start, mode, job, with.value_or(tools()));
            return std::nullopt;
        } catch (...) {
            return describeFailure(std::current_exception()).message;
        }
    }

    void SetUp() override
    {
        if (!QFileInfo::exists("/usr/bin/ffmpeg") || !QFileInfo::exists(odd()))
            GTEST_SKIP() << "FFmpeg is not installed at /usr/bin/ffmpeg";
    }
};

} // namespace

TEST_F(EffectRenders, PictureEffectsGiveEvenH264AndAacInBothModes)
{
    for (const MediaEffect effect : {MediaEffect::monochrome, MediaEffect::warmShadows, MediaEffect::sharpen}) {
        for (const RenderMode mode : {RenderMode::preview, RenderMode::exportWhole}) {
            QTemporaryDir out;
            const QString file = out.filePath("preview.mp4");
            ASSERT_EQ(render(effect, odd(), file, 2500, mode), std::nullopt) << int(effect);
            const Probe p = probe(file);
            const QJsonObject video = p.stream("video");
            EXPECT_EQ(video["codec_name"].toString(), "h264");
            EXPECT_EQ(video["width"].toInt(), 322);
            EXPECT_EQ(video["height"].toInt(), 242);
            EXPECT_EQ(video["pix_fmt"].toString(), "yuv420p");
            EXPECT_EQ(p.stream("audio")["codec_name"].toString(), "aac");
            if (mode == RenderMode::preview) {
                EXPECT_LE(p.duration, 8.1);
                EXPECT_GE(p.duration, 7.5);
            } else {
                EXPECT_GE(p.duration, 11.5);
            }
            EXPECT_TRUE(QFileInfo::exists(out.filePath("effect.log")));
        }
    }
}

TEST_F(EffectRenders, PictureEffectOnSilentVideoHasNoAudioTrack)
{
    ASSERT_EQ(render(MediaEffect::sharpen, silent(), output("mp4"), 0, RenderMode::exportWhole), std::nullopt);
    const Probe p = probe(output("mp4"));
    EXPECT_EQ(p.count("video"), 1);
    EXPECT_EQ(p.count("audio"), 0);
}

TEST_F(EffectRenders, PictureEffectOnSoundOnlyFailsWithFFmpegsLine)
{
    const auto failure = render(MediaEffect::monochrome, stereo(), output("mp4"), 0, RenderMode::preview);
    ASSERT_TRUE(failure);
    // FFmpeg's own words about the missing video stream, not our fallback.
    EXPECT_NE(*failure, "The effect engine could not process this file.");
    EXPECT_TRUE(failure->contains("map")) << failure->toStdString();
}

TEST_F(EffectRenders, LevelDialogueDropsThePictureAndKeepsTheChannels)
{
    for (const RenderMode mode : {RenderMode::preview, RenderMode::exportWhole}) {
        QTemporaryDir out;
        const QString file = out.filePath("preview.wav");
        ASSERT_EQ(render(MediaEffect::dialogueLevel, odd(), file, 1000, mode), std::nullopt);
        const Probe p = probe(file);
        EXPECT_EQ(p.count("video"), 0);
        const QJsonObject audio = p.stream("audio");
        EXPECT_EQ(audio["codec_name"].toString(), "pcm_s16le");
        EXPECT_EQ(audio["sample_rate"].toString(), "48000");
        EXPECT_EQ(audio["channels"].toInt(), 1); // the source tone is mono
        EXPECT_LE(p.duration, mode == RenderMode::preview ? 8.05 : 12.1);
    }
    ASSERT_EQ(render(MediaEffect::dialogueLevel, stereo(), output("wav"), 0, RenderMode::exportWhole), std::nullopt);
    EXPECT_EQ(probe(output("wav")).stream("audio")["channels"].toInt(), 2);
}

TEST_F(EffectRenders, CleanupGivesMono48kWithEverySampleKept)
{
    for (const RenderMode mode : {RenderMode::preview, RenderMode::exportWhole}) {
        QTemporaryDir out;
        const QString file = out.filePath("preview.wav");
        ASSERT_EQ(render(MediaEffect::dialogueCleanup, stereo(), file, 1000, mode), std::nullopt);
        const qint64 decoded = QFileInfo(out.filePath("original.pcm")).size() / 2;
        EXPECT_EQ(decoded, mode == RenderMode::preview ? 8 * 48000 : 10 * 48000);
        EXPECT_EQ(QFileInfo(out.filePath("clean.pcm")).size(), decoded * 2);
        const Probe p = probe(file);
        const QJsonObject audio = p.stream("audio");
        EXPECT_EQ(audio["sample_rate"].toString(), "48000");
        EXPECT_EQ(audio["channels"].toInt(), 1);
        EXPECT_EQ(audio["codec_name"].toString(), "pcm_s16le");
        EXPECT_EQ(audio["duration_ts"].toInteger(), decoded);
        EXPECT_EQ(p.count("video"), 0);
    }
}

TEST_F(EffectRenders, CleanupFailuresStopTheChain)
{
    auto noDenoiser = tools();
    noDenoiser.denoiser.reset();
    EXPECT_EQ(render(MediaEffect::dialogueCleanup, stereo(), output("wav"), 0, RenderMode::preview, noDenoiser),
              "The RNNoise helper is missing. Reinstall this preview.");
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath("effect.log"))); // nothing was run

    auto absent = tools();
    absent.denoiser = scratch.filePath("Engines/ostrivan-denoise");
    EXPECT_EQ(render(MediaEffect::dialogueCleanup, stereo(), output("wav"), 0, RenderMode::preview, absent),
              "No such file or directory");
    EXPECT_GT(QFileInfo(scratch.filePath("original.pcm")).size(), 0); // the decode stage had run
    EXPECT_FALSE(QFileInfo::exists(output("wav")));
}

TEST_F(EffectRenders, NothingInTheRangeIsReported)
{
    // The raw decode of a range past the end is empty: the cleanup says so instead of wrapping nothing.
    EXPECT_EQ(render(MediaEffect::dialogueCleanup, stereo(), output("wav"), 60000, RenderMode::preview),
              "There is no media in the selected range.");
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath("clean.pcm")));
}
