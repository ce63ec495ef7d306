#include "ViewerHarness.h"

#include "inspector/ReviewPanel.h"
#include "support/TestSupport.h"
#include "tools/ProcessRunner.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct WorkflowMedia {
    QString video;      // 4 s picture with a tone
    QString shortVideo; // 1.5 s picture
    QString audio;      // 3 s tone
};

// Made with our own runner (posix_spawn): a fork from this many-threaded process is not safe under TSan.
const WorkflowMedia *workflowMedia()
{
    static QTemporaryDir dir;
    static const std::optional<WorkflowMedia> media = []() -> std::optional<WorkflowMedia> {
        const WorkflowMedia m{dir.filePath("video clip.mp4"), dir.filePath("short.mp4"), dir.filePath("tone.wav")};
        const QStringList quiet{"-nostdin", "-y", "-loglevel", "error"};
        const QStringList x264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
        RenderJob job;
        try {
            runTool("/usr/bin/ffmpeg",
                    quiet + QStringList{"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=4", "-f", "lavfi", "-i",
                                        "sine=frequency=440:duration=4"} + x264 + QStringList{"-c:a", "aac", "-shortest", m.video},
                    dir.filePath("log"), job);
            runTool("/usr/bin/ffmpeg",
                    quiet + QStringList{"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=1.5"} + x264 +
                        QStringList{m.shortVideo},
                    dir.filePath("log"), job);
            runTool("/usr/bin/ffmpeg", quiet + QStringList{"-f", "lavfi", "-i", "sine=frequency=330:duration=3", m.audio},
                    dir.filePath("log"), job);
        } catch (...) {
            return std::nullopt;
        }
        return m;
    }();
    return media ? &*media : nullptr;
}

QStringList scratchEntries(const QString &folder)
{
    return QDir(folder).entryList({".ostrivan-*"}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

// A viewer with a generated clip open, rendering into a private temporary folder.
class EffectWorkflow : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QByteArray savedTmp;
    std::unique_ptr<ViewerHarness> h;
    const WorkflowMedia *media = nullptr;

    void SetUp() override
    {
        media = workflowMedia();
        if (!media)
            GTEST_SKIP() << "FFmpeg could not generate the test media";
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        h = std::make_unique<ViewerHarness>();
    }
    void TearDown() override
    {
        h.reset();
        if (savedTmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }
    Viewer &v() { return h->viewer(); }
    QString status() { return v().inspector->status->text(); }

    void open(const QString &path)
    {
        v().openMedia(path);
        ASSERT_EQ(v().currentURL, path);
    }
    void previewWith(int effectIndex)
    {
        v().inspector->effect->setCurrentIndex(effectIndex);
        v().previewEffect();
        ASSERT_TRUE(v().job);
        EXPECT_EQ(status(), "Rendering up to 8 seconds…");
        ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v().job; }, 60000));
        ASSERT_EQ(status(), "Playing the rendered preview.");
    }
};

} // namespace

TEST_F(EffectWorkflow, DescriptionFollowsThePopUp)
{
    v().inspector->effect->setCurrentIndex(4);
    v().effectChanged();
    EXPECT_EQ(v().inspector->effectDetails->text(),
              "RNNoise reduces background noise and exports a 48 kHz mono WAV.");
    v().inspector->effect->setCurrentIndex(-1);
    v().effectChanged();
    EXPECT_EQ(v().inspector->effectDetails->text(), "Black and white with a small lift in contrast.");
}

TEST_F(EffectWorkflow, PreviewPlaysInPlaceAndANewerOneReplacesIt)
{
    open(media->video);
    v().availableTime = -1; // no playhead known yet: from the start
    previewWith(1);
    ASSERT_TRUE(v().preview);
    EXPECT_EQ(v().preview->start, 0);
    EXPECT_EQ(v().currentURL, media->video);
    const QString first = v().preview->url;
    EXPECT_TRUE(first.endsWith("/preview.mp4"));
    EXPECT_TRUE(QFileInfo(first).size() > 0);
    EXPECT_EQ(QFileInfo(QFileInfo(first).absolutePath()).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_EQ(v().inspector->status->toolTip(), "Playing the rendered preview.");
    EXPECT_FALSE(v().inspector->original->isHidden());
    // The preview is what the player loaded.
    EXPECT_TRUE(ViewerHarness::waitFor([&] { return h->playerState() == 3; }, 20000)) << h->playerState();

    // Another effect over the same stretch; only the newer directory stays.
    v().availableTime = 1500; // the preview's own playhead, not a place in the source
    previewWith(3);
    EXPECT_EQ(v().preview->start, 0);
    EXPECT_TRUE(v().preview->url.endsWith("/preview.wav"));
    EXPECT_EQ(scratchEntries(temp.path()), QStringList{QFileInfo(QFileInfo(v().preview->url).absolutePath()).fileName()});
    EXPECT_FALSE(QFileInfo::exists(first));
}

TEST_F(EffectWorkflow, OriginalReturnsToTheMatchingMomentAndDropsThePreview)
{
    open(media->video);
    v().availableTime = 2000;
    previewWith(0);
    ASSERT_EQ(v().preview->start, 2000);
    const QString directory = QFileInfo(v().preview->url).absolutePath();

    v().availableTime = 1200; // 1.2 s into the preview
    v().showOriginal();
    EXPECT_FALSE(v().preview);
    EXPECT_EQ(v().pendingSeek, 3200);
    EXPECT_EQ(status(), "Original media.");
    EXPECT_FALSE(QFileInfo::exists(directory));
    EXPECT_TRUE(v().inspector->original->isHidden());

    // With no preview shown it changes nothing, not even the status.
    v().inspector->setStatus("Note saved on this device.");
    v().showOriginal();
    EXPECT_EQ(status(), "Note saved on this device.");
}

TEST_F(EffectWorkflow, OpeningAnotherFileOrQuittingRemovesThePreview)
{
    open(media->video);
    previewWith(2);
    QString directory = QFileInfo(v().preview->url).absolutePath();
    ASSERT_TRUE(QFileInfo::exists(directory));
    open(media->shortVideo);
    EXPECT_FALSE(v().preview);
    EXPECT_FALSE(QFileInfo::exists(directory));

    previewWith(0);
    directory = QFileInfo(v().preview->url).absolutePath();
    ASSERT_TRUE(QFileInfo::exists(directory));
    v().terminate();
    EXPECT_FALSE(QFileInfo::exists(directory));
    EXPECT_TRUE(scratchEntries(temp.path()).isEmpty());
}

TEST_F(EffectWorkflow, AFailedPreviewLeavesNothingAndSaysWhy)
{
    open(media->audio);
    previewWith(3); // a sound effect works on sound alone
    v().inspector->effect->setCurrentIndex(0);
    // Picture effects need a picture: FFmpeg's own line comes back.
    v().previewEffect();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v().job; }, 60000));
    EXPECT_NE(status(), "Playing the rendered preview.");
    EXPECT_FALSE(status().isEmpty());
    EXPECT_EQ(scratchEntries(temp.path()).size(), 1); // only the earlier, shown preview's
}

TEST(EffectExport, WholeFileToTheChosenNameNeverReplacing)
{
    const WorkflowMedia *media = workflowMedia();
    if (!media)
        GTEST_SKIP() << "FFmpeg could not generate the test media";
    QTemporaryDir folder;
    auto fake = std::make_unique<FakeDialogs>();
    const auto asked = fake->asked;
    const auto answer = fake->saveAnswer;
    Viewer v(std::move(fake));
    v.launch({}, QDir::currentPath());
    v.openMedia(media->video);
    v.inspector->effect->setCurrentIndex(1);

    // A preview shown does not shorten the export.
    v.availableTime = 2000;
    v.previewEffect();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }, 60000));
    ASSERT_TRUE(v.preview);

    const QString destination = folder.filePath("-take 'one' é.mp4");
    *answer = destination;
    v.exportEffect();
    ASSERT_EQ(asked->savePanels.size(), 1);
    EXPECT_EQ(asked->savePanels[0].proposedName, "video clip-warm-shadows.mp4");
    ASSERT_TRUE(v.job);
    EXPECT_EQ(v.inspector->status->text(), "Rendering the export…");
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }, 60000));
    EXPECT_EQ(v.inspector->status->text(), "Export complete.");
    // The whole 4 s source: a 3.5 s cut from the end fails when the export is shorter.
    const QString tail = folder.filePath("tail.wav");
    RenderJob probeJob;
    EXPECT_NO_THROW(runTool("/usr/bin/ffmpeg", {"-nostdin", "-loglevel", "error", "-ss", "3.5", "-i", destination, "-vn", tail},
                            folder.filePath("log"), probeJob));
    EXPECT_GT(QFileInfo(tail).size(), 1000);
    EXPECT_TRUE(scratchEntries(folder.path()).isEmpty());

    // The same name again: refused, and the file is left as it was.
    const QByteArray before = testsupport::readAll(destination);
    v.exportEffect();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !v.job; }, 60000));
    EXPECT_EQ(v.inspector->status->text(), "A file with this name already exists. Choose a new name.");
    EXPECT_EQ(testsupport::readAll(destination), before);
    EXPECT_TRUE(scratchEntries(folder.path()).isEmpty());

    // A cancelled panel starts nothing.
    answer->reset();
    v.inspector->setStatus("Export complete.");
    v.exportEffect();
    EXPECT_FALSE(v.job);
    EXPECT_EQ(v.inspector->status->text(), "Export complete.");
    v.terminate();
}
