// A real libVLC player on media made with FFmpeg, under Xvfb.
#include "ViewerHarness.h"

#include "inspector/ReviewPanel.h"
#include "shell/Player.h"
#include "shell/VideoSurface.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <gtest/gtest.h>

#define REQUIRE_MEDIA(m)                                                                                          \
    const GeneratedMedia *m = generatedMedia();                                                                   \
    ASSERT_NE(m, nullptr) << "FFmpeg could not make the test media"

namespace {

bool placeholderShows(Viewer &v, const QString &text)
{
    return v.empty->isVisibleTo(v.window.get()) && v.empty->text() == text;
}

// The dominant primary colour of the picture as the X server shows it, read near the surface's left edge:
// other tests' windows open centred on the same display and may cover the middle.
char pictureColour(Viewer &v)
{
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(v.surface->winId());
    const QColor c = shot.toImage().pixelColor(shot.width() / 10, shot.height() / 2);
    if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
        return 'r';
    if (c.green() > 150 && c.red() < 100 && c.blue() < 100)
        return 'g';
    if (c.blue() > 150 && c.red() < 100 && c.green() < 100)
        return 'b';
    return '?';
}

} // namespace

TEST(Playback, VideoFilePlaysInTheSurface)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->video});
    ASSERT_TRUE(h->player) << "libVLC did not start";
    EXPECT_EQ(h->filename->text(), QString("video clip.mp4"));
    EXPECT_EQ(h->window->windowTitle(), QString("Ostrivan Media Viewer"));
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause" && h->mediaHasVideo; }));
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !h->empty->isVisibleTo(h->window.get()); }, 2000));
    EXPECT_EQ(h->currentURL, media->video);
    EXPECT_TRUE(h->toggle->isEnabled());
    EXPECT_TRUE(h->seek->isEnabled());
    EXPECT_GE(h->availableTime, 0);
    EXPECT_TRUE(h->elapsed->text().endsWith(" / 0:04")) << h->elapsed->text().toStdString();
    EXPECT_TRUE(h->inspector->mark->isEnabled());

    // Pause and resume through the button.
    h->toggle->click();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Play"; }, 3000));
    EXPECT_EQ(h.playerState(), PlayerState::Paused);
    h->toggle->click();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause"; }, 3000));
}

TEST(Playback, AudioFileSaysAudioPlayback)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->audio});
    ASSERT_TRUE(h->player);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause"; }));
    ViewerHarness::runTicks(2);
    EXPECT_TRUE(placeholderShows(h.viewer(), "Audio playback"));
    EXPECT_FALSE(h->mediaHasVideo);
    // Picture effects and clips need video; the sound effects do not.
    h->inspector->effect->setCurrentIndex(0);
    h->refreshControls();
    EXPECT_FALSE(h->inspector->previewEffect->isEnabled());
    h->inspector->effect->setCurrentIndex(3);
    h->refreshControls();
    EXPECT_TRUE(h->inspector->previewEffect->isEnabled());
}

TEST(Playback, EndOfFileShowsLengthTwiceAndPlayRestarts)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->shortVideo});
    ASSERT_TRUE(h->player);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerState() == PlayerState::Ended; }));
    ViewerHarness::runTicks(1);
    EXPECT_EQ(h->elapsed->text(), QString("0:01 / 0:01"));
    EXPECT_EQ(h->seek->value(), Viewer::seekRange);
    EXPECT_FALSE(h->seek->isEnabled());
    EXPECT_EQ(h->toggle->text(), QString("Play"));
    EXPECT_TRUE(h->toggle->isEnabled());
    const qint64 length = libvlc_media_player_get_length(h->player->handle.get());
    EXPECT_EQ(h->availableTime, length - 1);

    h->toggle->click(); // reloads from the start
    EXPECT_EQ(h->empty->text(), QString("Opening media…"));
    EXPECT_EQ(h->availableTime, -1);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause"; }));
    EXPECT_LT(h->availableTime, 1000);
    EXPECT_TRUE(h->seek->isEnabled());
}

TEST(Playback, UndecodableFileIsReportedOnceAndStaysCurrent)
{
    REQUIRE_MEDIA(media);
    // libVLC ends these without ever playing, instead of entering its error state.
    for (const QString &path : {media->garbage, media->directory + "/missing.mp4", media->directory}) {
        ViewerHarness h({"--open", path});
        ASSERT_TRUE(h->player);
        ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->reportedError; }))
            << path.toStdString() << ": state " << h.playerState() << ", placeholder \""
            << h->empty->text().toStdString() << "\", time " << h->elapsed->text().toStdString();
        EXPECT_TRUE(placeholderShows(h.viewer(), "This file could not be played"));
        EXPECT_EQ(h->currentURL, path);
        // Shown once per load: a later tick leaves the placeholder alone.
        h->empty->setText("seen");
        ViewerHarness::runTicks(2);
        EXPECT_EQ(h->empty->text(), QString("seen"));
        // Play reloads the file, which reports again.
        h->toggle->click();
        EXPECT_FALSE(h->reportedError);
        ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->reportedError; }));
        EXPECT_EQ(h->empty->text(), QString("This file could not be played"));
    }
}

TEST(Playback, RefusedFileOpensNothing)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->video});
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause"; }));
    // Not a local file path: the player refuses it and the previous file stops.
    h->openMedia("https://example.invalid/clip.mp4");
    EXPECT_EQ(h->filename->text(), QString("clip.mp4"));
    EXPECT_TRUE(placeholderShows(h.viewer(), "This file could not be opened"));
    EXPECT_FALSE(h->currentURL);
    EXPECT_TRUE(h->inspector->notes.isEmpty());
    ViewerHarness::runTicks(2);
    EXPECT_FALSE(h->inspector->mark->isEnabled());
    EXPECT_FALSE(h->toggle->isEnabled());
    EXPECT_EQ(h->elapsed->text(), QString("0:00 / 0:00"));
    EXPECT_NE(h.playerState(), PlayerState::Playing);
}

TEST(Playback, DeferredSeekLandsAndPauses)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->shortVideo});
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerState() == PlayerState::Ended; }));
    // Ended: the file is reloaded and the seek waits for playback.
    h->seekToTime(700);
    EXPECT_EQ(h->pendingSeek, 700);
    EXPECT_TRUE(h->pendingPause);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !h->pendingSeek && h.playerState() == PlayerState::Paused; }));
    EXPECT_FALSE(h->pendingPause);
    ViewerHarness::runTicks(2);
    EXPECT_NEAR(double(h.playerTime()), 700.0, 150.0);
    EXPECT_EQ(h->toggle->text(), QString("Play"));

    // Beyond the end: the deferred seek lands on the last millisecond, paused.
    h->toggle->click();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerState() == PlayerState::Ended; }));
    h->seekToTime(99'000);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return !h->pendingSeek && h.playerState() == PlayerState::Paused; }));
    ViewerHarness::runTicks(2);
    const qint64 length = libvlc_media_player_get_length(h->player->handle.get());
    EXPECT_GT(h.playerTime(), length - 300);
}

TEST(Playback, JumpShowsThePictureAtThatTimeWhetherPlayingOrPaused)
{
    REQUIRE_MEDIA(media);
    ASSERT_TRUE(VideoSurface::drawsNatively()) << "needs the X11 surface (run under Xvfb)";
    ViewerHarness h({"--open", media->colours});
    h->window->move(0, 0);
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause" && h->mediaHasVideo; }));
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return pictureColour(h.viewer()) == 'r'; }, 3000));
    struct Jump {
        qint64 time;
        char colour;
        bool fromPlaying;
    };
    const Jump jumps[] = {{3000, 'g', true},  {5000, 'b', false}, {1000, 'r', false}, {5000, 'b', true},
                          {2500, 'g', true},  {4500, 'b', false}, {500, 'r', true},   {3000, 'g', false}};
    for (const Jump &jump : jumps) {
        if (jump.fromPlaying && h.playerState() != PlayerState::Playing) {
            h->toggle->click();
            ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerState() == PlayerState::Playing; }, 3000));
            ViewerHarness::runTicks(1);
        }
        h->seekToTime(jump.time);
        ASSERT_TRUE(ViewerHarness::waitFor(
            [&] { return h.playerState() == PlayerState::Paused && h.playerTime() == jump.time; }, 3000))
            << "no pause at " << jump.time << " ms; time " << h.playerTime();
        ViewerHarness::runTicks(3);
        EXPECT_EQ(h.playerState(), PlayerState::Paused);
        EXPECT_EQ(h->availableTime, jump.time);
        EXPECT_EQ(pictureColour(h.viewer()), jump.colour)
            << "after a jump to " << jump.time << " ms from " << (jump.fromPlaying ? "playing" : "paused");
    }
}

TEST(Playback, SliderSeeksOnceOnReleaseNeverWhileDragging)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->video});
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->toggle->text() == "Pause"; }));
    h->toggle->click();
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerState() == PlayerState::Paused; }, 3000));
    const qint64 before = h.playerTime();

    h->seek->setSliderDown(true);
    h->seek->setSliderPosition(9000);
    ViewerHarness::runTicks(3);
    EXPECT_EQ(h->seek->sliderPosition(), 9000) << "the tick moved the slider during a drag";
    EXPECT_NEAR(double(h.playerTime()), double(before), 50.0) << "seeked while dragging";

    h->seek->setSliderDown(false); // the reviewer lets go
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerTime() > 3300; }, 3000));
    ViewerHarness::runTicks(2);
    EXPECT_NEAR(double(h->seek->value()), 9000.0, 300.0);
}

TEST(Playback, PlayerRefusesAnythingButALocalPathWithoutTouchingTheMedia)
{
    REQUIRE_MEDIA(media);
    ViewerHarness h({"--open", media->video});
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h.playerState() == PlayerState::Playing; }));
    libvlc_media_t *current = libvlc_media_player_get_media(h->player->handle.get());
    for (const QString &url : {QString("https://example.invalid/a.mp4"), QString("file:///tmp/a.mp4"),
                               QString("relative/a.mp4"), QString()})
        EXPECT_FALSE(h->player->playFile(url, *h->surface)) << url.toStdString();
    libvlc_media_t *after = libvlc_media_player_get_media(h->player->handle.get());
    EXPECT_EQ(after, current);
    EXPECT_EQ(h.playerState(), PlayerState::Playing);
    libvlc_media_release(after);
    libvlc_media_release(current);
}
