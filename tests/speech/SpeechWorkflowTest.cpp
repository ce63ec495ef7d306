#include "FakeDialogs.h"
#include "FakeWhisper.h"
#include "ViewerHarness.h"
#include "support/TestSupport.h"

#include "inspector/ReviewPanel.h"
#include "shell/Viewer.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

namespace {
const QByteArray answerJson = R"({"transcription":[
  {"offsets":{"from":300,"to":1500},"text":" Hello there."},
  {"offsets":{"from":1600,"to":2600},"text":" General Kenobi."}]})";

// This program's own resource directory: <exe dir>/../share/ostrivan-media-viewer/Engines.
QString enginesDirectory()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/ostrivan-media-viewer/Engines");
}

QStringList scratchEntries(const QString &folder)
{
    return QDir(folder).entryList({".ostrivan-*"}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

// A launched viewer whose dialogs are fakes, with a private temporary directory and a 4 s clip open.
class SpeechWorkflow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        media = temp.filePath("movie.final.mkv");
        if (!testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=4", "-f", "lavfi", "-i",
                                  "sine=frequency=440:duration=4", "-c:v", "libx264", "-preset", "ultrafast",
                                  "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest", media}))
            GTEST_SKIP() << "FFmpeg could not generate the test media";
        savedTmp = qgetenv("TMPDIR");
        ASSERT_TRUE(QDir().mkpath(tmp()));
        qputenv("TMPDIR", QFile::encodeName(tmp()));
        ASSERT_TRUE(makeFakeEngines(enginesDirectory(), "ok", answerJson, fakeCaptions));
        auto fake = std::make_unique<FakeDialogs>();
        asked = fake->asked;
        saveAnswer = fake->saveAnswer;
        viewer = std::make_unique<Viewer>(std::move(fake));
        viewer->launch({}, QDir::currentPath());
        viewer->openMedia(media);
        ASSERT_EQ(viewer->currentURL, media);
    }
    void TearDown() override
    {
        if (viewer)
            viewer->terminate();
        viewer.reset();
        qputenv("TMPDIR", savedTmp);
    }

    QString tmp() const { return temp.filePath("tmp"); }
    QString status() const { return viewer->inspector->status->text(); }
    void setMode(const QByteArray &mode) { testsupport::writeAll(enginesDirectory() + "/mode", mode); }
    bool waitForIdle(int timeoutMs = 60000)
    {
        return ViewerHarness::waitFor([this] { return !viewer->job; }, timeoutMs);
    }
    void analyzeAndWait()
    {
        viewer->analyzeSpeech();
        ASSERT_TRUE(viewer->job);
        EXPECT_EQ(status(), "Analyzing speech locally…");
        ASSERT_TRUE(waitForIdle());
    }

    QTemporaryDir temp;
    QByteArray savedTmp;
    QString media;
    std::shared_ptr<FakeDialogs::Record> asked;
    std::shared_ptr<std::optional<QString>> saveAnswer;
    std::unique_ptr<Viewer> viewer;
};
} // namespace

TEST_F(SpeechWorkflow, AnalysisFillsTheClipsAndAChangeOfLanguageClearsThem)
{
    viewer->inspector->language->setCurrentIndex(2);
    analyzeAndWait();
    EXPECT_EQ(status(), "Captions and speech clips ready.");
    EXPECT_EQ(viewer->inspector->status->toolTip(), status());
    EXPECT_EQ(testsupport::readAll(enginesDirectory() + "/language-seen"), "hi");
    ASSERT_TRUE(viewer->speech);
    EXPECT_EQ(viewer->speech->srt, fakeCaptions);
    ASSERT_EQ(viewer->inspector->clips.size(), 1);
    EXPECT_EQ(viewer->inspector->clips[0].start, 150);
    EXPECT_EQ(viewer->inspector->clips[0].text, "Hello there. General Kenobi.");
    EXPECT_EQ(viewer->inspector->clipsTable->model()->rowCount(), 1);
    EXPECT_TRUE(viewer->inspector->saveSRT->isEnabled());
    EXPECT_TRUE(scratchEntries(tmp()).isEmpty());

    viewer->inspector->language->setCurrentIndex(1);
    viewer->languageChanged();
    EXPECT_FALSE(viewer->speech);
    EXPECT_TRUE(viewer->inspector->clips.isEmpty());
    EXPECT_EQ(viewer->inspector->clipsTable->model()->rowCount(), 0);
    EXPECT_FALSE(viewer->inspector->saveSRT->isEnabled());
}

TEST_F(SpeechWorkflow, AFailedOrCancelledAnalysisKeepsTheEarlierResult)
{
    analyzeAndWait();
    ASSERT_TRUE(viewer->speech);
    const QList<SpeechClip> before = viewer->inspector->clips;

    setMode("fail");
    analyzeAndWait();
    EXPECT_EQ(status(), "whisper_init: failed to load model");
    EXPECT_EQ(viewer->inspector->clips, before);
    EXPECT_TRUE(viewer->speech);

    setMode("emptysrt");
    analyzeAndWait();
    EXPECT_EQ(status(), "No speech was detected. Try a file with clearer dialogue.");

    setMode("hang");
    QFile::remove(enginesDirectory() + "/started");
    viewer->analyzeSpeech();
    ASSERT_TRUE(ViewerHarness::waitFor([] { return QFile::exists(enginesDirectory() + "/started"); }, 20000));
    viewer->analyzeSpeech(); // a second press while running changes nothing
    EXPECT_EQ(status(), "Analyzing speech locally…");
    viewer->cancelJob();
    EXPECT_EQ(status(), "Cancelling…");
    ASSERT_TRUE(waitForIdle());
    EXPECT_EQ(status(), "Job cancelled.");
    EXPECT_EQ(viewer->inspector->clips, before);
    EXPECT_TRUE(scratchEntries(tmp()).isEmpty());
}

TEST_F(SpeechWorkflow, MissingModelShowsTheLocatorsMessageAndStartsNothing)
{
    QFile::remove(enginesDirectory() + "/ggml-tiny.bin");
    viewer->analyzeSpeech();
    EXPECT_FALSE(viewer->job);
    EXPECT_EQ(status(), "The local speech engine or model is missing. Reinstall this preview.");
}

TEST_F(SpeechWorkflow, CaptionsExportIsByteIdenticalAndNeverReplaces)
{
    analyzeAndWait();
    const QString destination = temp.filePath("out/captions.srt");
    ASSERT_TRUE(QDir().mkpath(temp.filePath("out")));
    *saveAnswer = destination;
    viewer->exportSRT();
    ASSERT_EQ(asked->savePanels.size(), 1);
    EXPECT_EQ(asked->savePanels[0].proposedName, "movie.final.srt");
    EXPECT_EQ(status(), "Captions exported.");
    EXPECT_EQ(testsupport::readAll(destination), fakeCaptions);

    ASSERT_TRUE(testsupport::writeAll(destination, "someone else's file"));
    viewer->exportSRT();
    EXPECT_EQ(status(), "Could not export. Choose a new filename and try again.");
    EXPECT_EQ(testsupport::readAll(destination), "someone else's file");
    EXPECT_TRUE(scratchEntries(temp.filePath("out")).isEmpty());

    // A cancelled panel does nothing.
    *saveAnswer = std::nullopt;
    viewer->inspector->setStatus("before");
    viewer->exportSRT();
    EXPECT_EQ(status(), "before");
}

TEST_F(SpeechWorkflow, ClipPreviewPlaysInPlaceAndClipExportLandsBesideNothingElse)
{
    analyzeAndWait();
    viewer->inspector->clipsTable->selectRow(0);
    ASSERT_TRUE(viewer->selectedClip());

    viewer->previewClip();
    ASSERT_TRUE(viewer->job);
    EXPECT_EQ(status(), "Preparing clip preview…");
    ASSERT_TRUE(waitForIdle());
    EXPECT_EQ(status(), "Playing the rendered preview.");
    ASSERT_TRUE(viewer->preview);
    EXPECT_EQ(viewer->preview->start, 150);
    EXPECT_TRUE(QFile::exists(viewer->preview->url));
    EXPECT_EQ(viewer->currentURL, media);

    // Analysing while the preview plays reads the media itself, with no duration: clip ends are not capped
    // at the 4 s media (nor at the preview's length).
    ASSERT_TRUE(makeFakeEngines(enginesDirectory(), "ok",
                                R"({"transcription":[{"offsets":{"from":1000,"to":3900},"text":"late"}]})", fakeCaptions));
    analyzeAndWait();
    ASSERT_EQ(viewer->inspector->clips.size(), 1);
    EXPECT_EQ(viewer->inspector->clips[0].end, 4120);
    viewer->inspector->clipsTable->selectRow(0);
    ASSERT_TRUE(viewer->selectedClip());

    const QString folder = temp.filePath("exports");
    ASSERT_TRUE(QDir().mkpath(folder));
    *saveAnswer = folder + "/excerpt.mp4";
    viewer->exportClip();
    ASSERT_EQ(asked->savePanels.size(), 1);
    EXPECT_EQ(asked->savePanels[0].proposedName, "movie.final-clip-850.mp4");
    EXPECT_EQ(status(), "Exporting the selected excerpt…");
    ASSERT_TRUE(waitForIdle());
    EXPECT_EQ(status(), "Export complete.");
    EXPECT_GT(QFileInfo(folder + "/excerpt.mp4").size(), 1000);
    EXPECT_TRUE(scratchEntries(folder).isEmpty());

    // The same name again: the finished render is refused at the move and the file stays as it was.
    const QByteArray first = testsupport::readAll(folder + "/excerpt.mp4");
    viewer->exportClip();
    ASSERT_TRUE(waitForIdle());
    EXPECT_EQ(status(), "A file with this name already exists. Choose a new name.");
    EXPECT_EQ(testsupport::readAll(folder + "/excerpt.mp4"), first);
    EXPECT_TRUE(scratchEntries(folder).isEmpty());
}

TEST_F(SpeechWorkflow, RealRecogniserWithTheTestModel)
{
    OV_REQUIRE_ASSET(model, "whisper/for-tests-ggml-tiny.bin");
    OV_REQUIRE_ASSET(sample, "speech-sample.wav");
    const QString built = testsupport::buildDir() + "/share/ostrivan-media-viewer/Engines/whisper-cli";
    if (!QFileInfo(built).isExecutable())
        GTEST_SKIP() << "no whisper-cli was built into " << built.toStdString() << "; skipping";
    const QString engines = enginesDirectory();
    QFile::remove(engines + "/whisper-cli");
    QFile::remove(engines + "/ggml-tiny.bin");
    ASSERT_TRUE(QFile::copy(built, engines + "/whisper-cli"));
    ASSERT_TRUE(QFile::copy(model, engines + "/ggml-tiny.bin"));

    viewer->openMedia(sample);
    viewer->analyzeSpeech();
    ASSERT_TRUE(viewer->job);
    ASSERT_TRUE(waitForIdle(300000));
    // The test model's words are meaningless: only the outcome's shape is certain.
    const QStringList outcomes{"Captions and speech clips ready.", "Captions ready. No excerpt candidates.",
                               "No speech was detected. Try a file with clearer dialogue."};
    EXPECT_TRUE(outcomes.contains(status())) << status().toStdString();
    std::cout << "real recogniser outcome: " << status().toStdString() << "\n";
    if (viewer->speech) {
        EXPECT_FALSE(viewer->speech->srt.isEmpty());
        EXPECT_TRUE(viewer->speech->srt.contains("-->"));
        for (const SpeechClip &clip : viewer->speech->clips) {
            EXPECT_LE(0, clip.start);
            EXPECT_LT(clip.start, clip.end);
            EXPECT_LE(clip.end, 11500);
        }
    }
    EXPECT_TRUE(scratchEntries(tmp()).isEmpty());
}
