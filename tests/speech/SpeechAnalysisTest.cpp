#include "FakeWhisper.h"
#include "support/TestSupport.h"

#include "notes/ReviewNote.h"
#include "speech/SpeechAnalysis.h"
#include "speech/SpeechCommands.h"
#include "tools/JobErrors.h"
#include "tools/ProcessRunner.h"
#include "tools/ScratchFiles.h"
#include "tools/ToolFinder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <future>

namespace {
const QByteArray answerJson = R"({"result":{"language":"en"},"transcription":[
  {"offsets":{"from":2000,"to":3000},"text":" General Kenobi."},
  {"offsets":{"from":0,"to":1000},"text":" Hello there."},
  {"offsets":{"from":1000,"to":1100},"text":" \n"}]})";

class SpeechAnalysis : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        const auto ffmpeg = findFFmpeg();
        if (!ffmpeg)
            GTEST_SKIP() << "FFmpeg is not installed";
        engine = {*ffmpeg, engines() + "/whisper-cli", engines() + "/ggml-tiny.bin"};
        // The analysis makes its scratch directory in the temporary directory: a private one, to watch it.
        previousTmp = qgetenv("TMPDIR");
        ASSERT_TRUE(QDir().mkpath(tmp()));
        qputenv("TMPDIR", tmp().toUtf8());
        speech = root.filePath("speech.wav");
        ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=3", "-ar", "44100", speech}));
    }
    void TearDown() override { qputenv("TMPDIR", previousTmp); }

    QString engines() const { return root.filePath("Engines"); }
    QString tmp() const { return root.filePath("tmp"); }
    QString seen(const QString &name) const { return QString::fromUtf8(testsupport::readAll(engines() + "/" + name)); }
    QStringList scratchLeft() const { return QDir(tmp()).entryList({".ostrivan-*"}, QDir::AllEntries | QDir::Hidden); }

    // The outcome as the status line would show it: the result, or the failure's text.
    std::variant<SpeechResult, JobFailure> run(const QString &media, const QString &language, qint64 duration)
    {
        RenderJob job;
        try {
            return analyze(engine, media, language, duration, job, files);
        } catch (...) {
            return describeFailure(std::current_exception());
        }
    }
    QString failureText(const QString &media, qint64 duration = 0)
    {
        const auto outcome = run(media, "en", duration);
        const auto *failure = std::get_if<JobFailure>(&outcome);
        EXPECT_TRUE(failure) << "the analysis succeeded";
        return failure ? failure->message : QString();
    }

    QTemporaryDir root;
    QByteArray previousTmp;
    SpeechEngine engine;
    ScratchFiles files = systemScratchFiles();
    QString speech;
};
} // namespace

TEST_F(SpeechAnalysis, SuccessCarriesTheCaptionsUnchangedAndClipsFromTheTranscript)
{
    ASSERT_TRUE(makeFakeEngines(engines(), "ok", answerJson, fakeCaptions));
    const auto outcome = run(speech, "hi", 60000);
    ASSERT_TRUE(std::holds_alternative<SpeechResult>(outcome)) << std::get<JobFailure>(outcome).message.toStdString();
    const SpeechResult &result = std::get<SpeechResult>(outcome);
    EXPECT_EQ(result.srt, fakeCaptions);
    ASSERT_EQ(result.clips.size(), 1);
    EXPECT_EQ(result.clips[0], (SpeechClip{0, 3220, "Hello there. General Kenobi."}));
    EXPECT_EQ(seen("language-seen"), "hi");
    // The recogniser worked in a private directory under the temporary directory, now gone.
    const QFileInfo base(seen("base-seen"));
    EXPECT_EQ(base.fileName(), "speech");
    EXPECT_EQ(base.dir().dirName().left(10), ".ostrivan-");
    EXPECT_EQ(base.dir().absolutePath().section('/', 0, -2), QDir(tmp()).absolutePath());
    EXPECT_FALSE(base.dir().exists());
    EXPECT_TRUE(scratchLeft().isEmpty());
}

TEST_F(SpeechAnalysis, ADurationCapsClipEndsAndNoUsableSegmentsStillSucceeds)
{
    ASSERT_TRUE(makeFakeEngines(engines(), "ok", answerJson, fakeCaptions));
    const auto capped = run(speech, "auto", 3100);
    ASSERT_TRUE(std::holds_alternative<SpeechResult>(capped));
    EXPECT_EQ(std::get<SpeechResult>(capped).clips.value(0).end, 3100);

    ASSERT_TRUE(makeFakeEngines(engines(), "ok", R"({"transcription":[{"offsets":{"from":5,"to":5},"text":"x"}]})",
                                fakeCaptions));
    const auto none = run(speech, "auto", 0);
    ASSERT_TRUE(std::holds_alternative<SpeechResult>(none));
    EXPECT_TRUE(std::get<SpeechResult>(none).clips.isEmpty());
    EXPECT_EQ(analysisCompletionText(std::get<SpeechResult>(none).clips.size()), "Captions ready. No excerpt candidates.");
}

TEST_F(SpeechAnalysis, EachFailureGivesItsTextAndLeavesNoScratchDirectory)
{
    ASSERT_TRUE(makeFakeEngines(engines(), "fail", answerJson, fakeCaptions));
    EXPECT_EQ(failureText(speech), "whisper_init: failed to load model");
    EXPECT_TRUE(scratchLeft().isEmpty());

    ASSERT_TRUE(makeFakeEngines(engines(), "emptysrt", answerJson, fakeCaptions));
    EXPECT_EQ(failureText(speech), "No speech was detected. Try a file with clearer dialogue.");
    EXPECT_TRUE(scratchLeft().isEmpty());

    // A broken transcript fails even though the captions are fine, with the decoder's description.
    ASSERT_TRUE(makeFakeEngines(engines(), "brokenjson", answerJson, fakeCaptions));
    EXPECT_TRUE(failureText(speech).startsWith("The speech transcript is not valid JSON: "));
    EXPECT_TRUE(scratchLeft().isEmpty());

    // ...and it is checked before the captions: broken JSON with empty captions names the JSON.
    ASSERT_TRUE(makeFakeEngines(engines(), "ok", R"({"transcription":[{"text":"no offsets"}]})", ""));
    EXPECT_EQ(failureText(speech), "The speech transcript could not be read: transcription[0].offsets is missing.");
    EXPECT_TRUE(scratchLeft().isEmpty());

    ASSERT_TRUE(makeFakeEngines(engines(), "nojson", answerJson, fakeCaptions));
    EXPECT_EQ(failureText(speech), "No such file or directory");
    EXPECT_TRUE(scratchLeft().isEmpty());

    // A file without audio fails at extraction, with FFmpeg's own last line; the recogniser never runs.
    const QString silentVideo = root.filePath("picture-only.mkv");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=1:size=64x48:rate=10", silentVideo}));
    ASSERT_TRUE(makeFakeEngines(engines(), "ok", answerJson, fakeCaptions));
    const QString noAudio = failureText(silentVideo);
    EXPECT_FALSE(noAudio.isEmpty());
    EXPECT_FALSE(noAudio.contains("fake whisper"));
    EXPECT_FALSE(QFile::exists(engines() + "/language-seen"));
    EXPECT_TRUE(scratchLeft().isEmpty());
}

TEST_F(SpeechAnalysis, AMissingRecogniserOrScratchFailureIsThePlatformsDescription)
{
    ASSERT_TRUE(makeFakeEngines(engines(), "ok", answerJson, fakeCaptions));
    engine.whisper = engines() + "/no-such-whisper";
    EXPECT_EQ(failureText(speech), "No such file or directory");
    EXPECT_TRUE(scratchLeft().isEmpty());

    files.makeScratchDirectory = [](const QString &) -> QString { throw std::system_error(EACCES, std::system_category()); };
    EXPECT_EQ(failureText(speech), "Permission denied");
}

TEST_F(SpeechAnalysis, CancellingDuringRecognitionEndsAsCancelledAndCleansUp)
{
    ASSERT_TRUE(makeFakeEngines(engines(), "hang", answerJson, fakeCaptions));
    RenderJob job;
    auto running = std::async(std::launch::async, [&] {
        try {
            analyze(engine, speech, "en", 0, job, files);
            return JobFailure{false, "finished"};
        } catch (...) {
            return describeFailure(std::current_exception());
        }
    });
    for (int waited = 0; waited < 3000 && !QFile::exists(engines() + "/started"); ++waited)
        QThread::msleep(10);
    ASSERT_TRUE(QFile::exists(engines() + "/started"));
    EXPECT_EQ(scratchLeft().size(), 1);
    cancelRenderJob(job);
    ASSERT_EQ(running.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    const JobFailure failure = running.get();
    EXPECT_TRUE(failure.cancelled);
    EXPECT_TRUE(scratchLeft().isEmpty());
}

TEST_F(SpeechAnalysis, ClipRenderOf61234To65480LastsAbout4Point2Seconds)
{
    const QString media = root.filePath("interview.mov");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=70:size=158x90:rate=25", "-f", "lavfi", "-i",
                                     "sine=duration=70", "-c:v", "mpeg4", "-c:a", "pcm_s16le", "-shortest", media}));
    const QString output = root.filePath("preview.mp4");
    RenderJob job;
    renderClip(engine, 61234, 65480, media, output, job);
    EXPECT_TRUE(QFile::exists(root.filePath("clip.log")));
    const auto probe = testsupport::runProgram("ffprobe", {"-v", "error", "-show_entries", "format=duration:stream=codec_name,width",
                                                           "-of", "default=noprint_wrappers=1", output});
    ASSERT_EQ(probe.exitCode, 0) << probe.err.toStdString();
    const QString text = QString::fromUtf8(probe.out);
    EXPECT_TRUE(text.contains("codec_name=h264"));
    EXPECT_TRUE(text.contains("codec_name=aac"));
    EXPECT_TRUE(text.contains("width=158"));
    const double seconds = text.section("duration=", 1).section('\n', 0, 0).toDouble();
    EXPECT_NEAR(seconds, 4.246, 0.15);

    // A file without a picture cannot make a clip: FFmpeg's message comes back.
    const QString audioOnly = root.filePath("voice.mkv");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=duration=2", audioOnly}));
    EXPECT_THROW(renderClip(engine, 0, 1500, audioOnly, root.filePath("second.mp4"), job), ReviewError);
}
