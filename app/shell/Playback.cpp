#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/Player.h"
#include "shell/VideoSurface.h"

#include <QFileInfo>
#include <QLabel>
#include <QSlider>

namespace {
QString lastPathComponent(const QString &path)
{
    return QFileInfo(path).fileName();
}
} // namespace

bool Viewer::startMedia(const QString &source, const QString &title, std::optional<qint64> seekTo)
{
    libvlc_media_player_t *handle = player->handle.get();
    libvlc_media_player_stop(handle);
    pendingSeek = seekTo;
    pendingPause = seekTo.has_value();
    settlingSeek.reset();
    availableTime = -1;
    reportedError = false;
    playedSinceLoad = false;
    filename->setText(title);
    empty->setText(QStringLiteral("Opening media…"));
    empty->show();
    if (!player->playFile(source, *surface)) {
        pendingSeek.reset();
        pendingPause = false;
        empty->setText(QStringLiteral("This file could not be opened"));
        return false;
    }
    return true;
}

void Viewer::openMedia(const QString &url)
{
    if (job)
        return;
    std::optional<QString> previewToRemove;
    if (preview) {
        previewToRemove = preview->url;
        preview.reset();
    }
    clearReviewState();
    if (player) {
        if (startMedia(url, lastPathComponent(url), std::nullopt)) {
            currentURL = url;
            loadNotes(url);
        }
    }
    if (previewToRemove)
        removePreviewDirectory(*previewToRemove);
    refreshControls();
}

void Viewer::clearReviewState()
{
    currentURL.reset();
    speech.reset();
    mediaHasVideo = false;
    inspector->clips.clear();
    inspector->reloadClips();
    inspector->notes.clear();
    inspector->reloadNotes();
    notesWritable = true;
    clearNoteEditor();
}

void Viewer::togglePlay()
{
    if (!player || !currentURL)
        return;
    libvlc_media_player_t *handle = player->handle.get();
    const int state = libvlc_media_player_get_state(handle);
    if (state == PlayerState::Ended || state == PlayerState::Error) {
        // Reload from the beginning rather than seek in a finished or failed media.
        if (preview)
            startMedia(preview->url, filename->text(), std::nullopt);
        else
            startMedia(*currentURL, lastPathComponent(*currentURL), std::nullopt);
        return;
    }
    if (state == PlayerState::Playing) {
        libvlc_media_player_set_pause(handle, 1);
    } else if (state == PlayerState::Paused) {
        // A jump still settling is made before playback resumes, so it is not lost.
        if (settlingSeek) {
            libvlc_media_player_set_time(handle, settlingSeek->time);
            settlingSeek.reset();
        }
        libvlc_media_player_set_pause(handle, 0);
    }
    else
        libvlc_media_player_play(handle);
}

void Viewer::seekToPosition()
{
    if (!player || !libvlc_media_player_is_seekable(player->handle.get()))
        return;
    // The handle's position, not the value: on release the value catches up only after this runs.
    settlingSeek.reset(); // the reviewer's newer choice wins
    const float fraction = float(seek->sliderPosition()) / float(seekRange);
    libvlc_media_player_set_position(player->handle.get(), fraction);
}

void Viewer::seekToTime(qint64 t)
{
    if (!player || !currentURL)
        return;
    libvlc_media_player_t *handle = player->handle.get();
    if (!preview) {
        const int state = libvlc_media_player_get_state(handle);
        if (state != PlayerState::Ended && state != PlayerState::Error && libvlc_media_player_is_seekable(handle)) {
            if (state == PlayerState::Playing) {
                pauseThenSeek(t);
            } else {
                settlingSeek.reset();
                libvlc_media_player_set_time(handle, t);
                libvlc_media_player_set_pause(handle, 1);
            }
        } else {
            startMedia(*currentURL, lastPathComponent(*currentURL), t);
        }
    } else {
        const QString previewUrl = preview->url;
        preview.reset();
        startMedia(*currentURL, lastPathComponent(*currentURL), t);
        removePreviewDirectory(previewUrl);
    }
    refreshControls();
}

void Viewer::pauseThenSeek(qint64 t)
{
    libvlc_media_player_set_pause(player->handle.get(), 1);
    settlingSeek = SettlingSeek{t, {}};
    settlingSeek->paused.start();
}

void Viewer::finishSettlingSeek(int state)
{
    // Measured with libVLC 3.0: a seek made from about 30 ms after the pause shows its own picture.
    constexpr qint64 settleMs = 100;
    if (!settlingSeek || state != PlayerState::Paused || settlingSeek->paused.elapsed() < settleMs)
        return;
    libvlc_media_player_set_time(player->handle.get(), settlingSeek->time);
    settlingSeek.reset();
}
