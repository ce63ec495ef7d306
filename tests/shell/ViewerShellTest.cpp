// The shell around playback: command line, menus, open panel, drops, About, termination.
#include "ViewerHarness.h"

#include "inspector/ReviewPanel.h"
#include "shell/Player.h"
#include "shell/VideoSurface.h"

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <vlc/vlc.h>

#define REQUIRE_MEDIA(m)                                                                                          \
    const GeneratedMedia *m = generatedMedia();                                                                   \
    ASSERT_NE(m, nullptr) << "FFmpeg could not make the test media"

namespace {

bool dropOn(Viewer &v, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint centre = v.window->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(v.window.get(), &enter);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(v.window.get(), &drop);
    return enter.isAccepted();
}

} // namespace

TEST(Shell, WrongCommandLinesOpenNothing)
{
    REQUIRE_MEDIA(media);
    const QList<QStringList> wrong = {
        {"--open"}, {"--open", media->video, media->video}, {"--OPEN", media->video}, {media->video}};
    for (const QStringList &arguments : wrong) {
        ViewerHarness h(arguments);
        ViewerHarness::runTicks(3);
        EXPECT_FALSE(h->currentURL) << arguments.join(' ').toStdString();
        EXPECT_EQ(h->filename->text(), QString("No file open"));
        EXPECT_EQ(h->empty->text(), QString("Open a video or audio file"));
        EXPECT_FALSE(h->smokeURL);
        EXPECT_EQ(h->elapsed->text(), QString("0:00 / 0:00"));
        EXPECT_FALSE(h->toggle->isEnabled());
    }
}

TEST(Shell, StartsWithTheInitialState)
{
    ViewerHarness h;
    ASSERT_TRUE(h->window);
    EXPECT_TRUE(h->window->isVisible());
    EXPECT_EQ(h->window->minimumSize(), QSize(810, 550));
    EXPECT_TRUE(h->timer && h->timer->isActive());
    EXPECT_EQ(h->timer->interval(), 200);
    EXPECT_EQ(h->languages, QStringList({"auto", "en", "hi"}));
    EXPECT_TRUE(h->noteStore.root.endsWith("/Ostrivan/Review Notes"));
    EXPECT_EQ(h->availableTime, -1);
    EXPECT_TRUE(h->notesWritable);
    EXPECT_EQ(h->inspector->draft->text(), QString("Open a file to start reviewing."));
    ASSERT_TRUE(h->player);
    EXPECT_EQ(libvlc_audio_get_volume(h->player->handle.get()), 85);
    EXPECT_TRUE(h->openButton->isEnabled());
    EXPECT_FALSE(h->inspector->mark->isEnabled());
    EXPECT_TRUE(h->inspector->original->isHidden());
    EXPECT_TRUE(h->inspector->cancel->isHidden());
    EXPECT_EQ(h->inspector->width(), 356);
    EXPECT_EQ(h->toggle->width(), 72);
    EXPECT_GE(h->surface->height(), 260);

    // A long name keeps its whole text and does not widen the window.
    const int width = h->window->width();
    h->filename->setText(QString("a very long file name ").repeated(20) + ".mov");
    QCoreApplication::processEvents();
    EXPECT_EQ(h->window->width(), width);
    EXPECT_TRUE(h->filename->text().endsWith(".mov"));
}

TEST(Shell, MenusAreInOrderWithTheirShortcuts)
{
    ViewerHarness h;
    QStringList titles;
    QStringList items;
    for (QAction *menu : h->window->menuBar()->actions()) {
        titles << menu->text();
        for (QAction *item : menu->menu()->actions())
            items << (item->isSeparator() ? QString("-") : item->text() + "=" + item->shortcut().toString());
    }
    EXPECT_EQ(titles, QStringList({"Ostrivan Media Viewer", "File", "Edit", "Review"}));
    EXPECT_EQ(items, QStringList({"About Ostrivan Media Viewer=", "-", "Quit Ostrivan Media Viewer=Ctrl+Q",
                                  "Open File…=Ctrl+O", "Cut=Ctrl+X", "Copy=Ctrl+C", "Paste=Ctrl+V",
                                  "Select All=Ctrl+A", "Mark Time=Ctrl+Shift+M"}));
}

TEST(Shell, OpenPanelOpensTheChosenFileUnlessAJobRuns)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h;
    h.answerOpen(std::nullopt); // cancelled
    h->openButton->click();
    EXPECT_EQ(h.asked().openPanels, 1);
    EXPECT_FALSE(h->currentURL);

    h.answerOpen(media->video);
    h->openButton->click();
    EXPECT_EQ(h->currentURL, media->video);
    EXPECT_EQ(h->filename->text(), QString("video clip.mp4"));

    h->job = std::make_shared<RenderJob>();
    h->openFile();
    EXPECT_EQ(h.asked().openPanels, 2) << "a panel was shown while a job runs";
    h->openMedia(media->audio);
    EXPECT_EQ(h->currentURL, media->video) << "openMedia acted while a job runs";
    h->job.reset();
}

TEST(Shell, DropOpensOneFileAsTheOpenPanelWould)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h;
    EXPECT_FALSE(dropOn(h.viewer(), {QUrl::fromLocalFile(media->video), QUrl::fromLocalFile(media->audio)}));
    EXPECT_FALSE(dropOn(h.viewer(), {QUrl::fromLocalFile(media->directory)}));
    EXPECT_FALSE(dropOn(h.viewer(), {QUrl("https://example.invalid/a.mp4")}));
    EXPECT_FALSE(h->currentURL);

    EXPECT_TRUE(dropOn(h.viewer(), {QUrl::fromLocalFile(media->audio)}));
    EXPECT_EQ(h->currentURL, media->audio);

    h->job = std::make_shared<RenderJob>();
    EXPECT_FALSE(dropOn(h.viewer(), {QUrl::fromLocalFile(media->video)}));
    EXPECT_EQ(h->currentURL, media->audio);
    h->job.reset();
}

TEST(Shell, AboutNamesTheLibVLCVersion)
{
    ViewerHarness h;
    QAction *about = h->window->menuBar()->actions().first()->menu()->actions().first();
    about->trigger();
    ASSERT_EQ(h.asked().alerts.size(), 1);
    const AlertRequest &alert = h.asked().alerts.first();
    EXPECT_EQ(alert.message, QString("Ostrivan Media Viewer"));
    EXPECT_EQ(alert.buttons, QStringList({"OK"}));
    EXPECT_TRUE(alert.informative.contains(QString("Playback uses LibVLC %1 by VideoLAN.").arg(libvlc_get_version())));
}

TEST(Shell, TerminationStopsTheTimerTheJobChildAndThePreview)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->video});
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause"; }));

    QProcess child;
    child.start("sleep", {"30"});
    ASSERT_TRUE(child.waitForStarted());
    h->job = std::make_shared<RenderJob>();
    h->job->active = pid_t(child.processId());

    QTemporaryDir scratch;
    const QString previewDir = scratch.path() + "/.ostrivan-preview";
    ASSERT_TRUE(QDir().mkpath(previewDir));
    ASSERT_TRUE(QFile(previewDir + "/preview.wav").open(QIODevice::WriteOnly));
    h->preview = PreviewShown{previewDir + "/preview.wav", 1000};

    h->terminate();
    EXPECT_FALSE(h->timer->isActive());
    EXPECT_TRUE(h->job->cancelled);
    ASSERT_TRUE(child.waitForFinished(5000)) << "the job's child was not asked to stop";
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_FALSE(QDir(previewDir).exists());
    EXPECT_TRUE(h->preview) << "the preview record itself stays";
    EXPECT_NE(h.playerState(), PlayerState::Playing);
    h->job.reset();
    h->preview.reset();
}

TEST(Shell, OpeningAnotherFileEndsAShownPreview)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->video});
    QTemporaryDir scratch;
    const QString previewDir = scratch.path() + "/.ostrivan-preview";
    ASSERT_TRUE(QDir().mkpath(previewDir));
    h->preview = PreviewShown{previewDir + "/preview.mp4", 0};
    h->speech = SpeechResult{"1\r\n", {SpeechClip{0, 1000, "hello"}}};
    h->inspector->clips = h->speech->clips;
    h->inspector->reloadClips();

    h->openMedia(media->audio);
    EXPECT_FALSE(h->preview);
    EXPECT_FALSE(QDir(previewDir).exists());
    EXPECT_FALSE(h->speech);
    EXPECT_TRUE(h->inspector->clips.isEmpty());
    EXPECT_EQ(h->currentURL, media->audio);
    EXPECT_EQ(h->inspector->draft->text(), QString("Mark the playhead, then write a note."));
}

TEST(Shell, WithoutAPlayerNothingPlaysAndTheSmokeTestTimesOut)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h;
    ASSERT_TRUE(h->player);
    h->player.reset(); // as when libVLC could not start
    std::vector<std::pair<QString, int>> verdicts;
    h->endSmokeTest = [&](const QString &line, int status) { verdicts.emplace_back(line, status); };
    h->smokeURL = media->video;
    h->openMedia(media->video);
    EXPECT_FALSE(h->currentURL);
    EXPECT_EQ(h->filename->text(), QString("No file open"));
    h->toggle->click();
    h->seekToTime(1000);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !verdicts.empty(); }, 12000));
    EXPECT_EQ(h->smokeTicks, 35);
    EXPECT_EQ(h->smokeFrames, 0);
    EXPECT_EQ(verdicts.front(), std::make_pair(QString("LibVLC video playback timed out"), 1));
    EXPECT_FALSE(h->toggle->isEnabled());
    EXPECT_FALSE(h->seek->isEnabled());
    EXPECT_EQ(h->elapsed->text(), QString("0:00 / 0:00"));
    h->smokeURL.reset();
}

TEST(Shell, SmokeVerdictComesAfterThreeTicksWithVideo)
{
    REQUIRE_MEDIA(media);
    std::vector<std::pair<QString, int>> verdicts;
    ViewerHarness h;
    h->endSmokeTest = [&](const QString &line, int status) { verdicts.emplace_back(line, status); };
    h->smokeURL = media->video;
    h->openMedia(media->video);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !verdicts.empty(); }, 10000));
    EXPECT_EQ(verdicts.front(), std::make_pair(QString("LibVLC video playback passed"), 0));
    EXPECT_EQ(h->smokeFrames, 3);
    EXPECT_LT(h->smokeTicks, 35);
    EXPECT_NE(h.playerState(), PlayerState::Playing) << "the smoke test stops the player";
    h->smokeURL.reset();
}
