#include "shell/Viewer.h"

#include "shell/Clock.h"
#include "shell/Player.h"
#include "shell/VideoSurface.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

void Viewer::refresh()
{
    if (!player || !currentURL) {
        showIdleTransport();
    } else {
        libvlc_media_player_t *handle = player->handle.get();
        const int state = libvlc_media_player_get_state(handle);
        const qint64 time = libvlc_media_player_get_time(handle);
        const qint64 length = libvlc_media_player_get_length(handle);
        const int videoOutputs = int(libvlc_media_player_has_vout(handle));

        if (!preview && videoOutputs != 0)
            mediaHasVideo = true;

        if (state == PlayerState::Ended) {
            availableTime = std::max<qint64>(length - 1, 0);
        } else if (state == PlayerState::Playing) {
            availableTime = time;
            applyPendingSeek(length);
        } else {
            availableTime = time;
        }
        if (state == PlayerState::Ended || state == PlayerState::Error)
            settlingSeek.reset();
        finishSettlingSeek(state);

        toggle->setEnabled(state != PlayerState::Opening && state != PlayerState::Buffering);
        const QString title = state == PlayerState::Playing ? QStringLiteral("Pause") : QStringLiteral("Play");
        toggle->setText(title);
        toggle->setAccessibleName(title);

        const bool seekable = libvlc_media_player_is_seekable(handle) != 0;
        seek->setEnabled(seekable && state != PlayerState::Ended);
        if (QGuiApplication::mouseButtons() == Qt::NoButton && !seek->isSliderDown()) {
            const double position = state == PlayerState::Ended
                                        ? 1.0
                                        : std::max(0.0, double(libvlc_media_player_get_position(handle)));
            seek->setValue(int(std::lround(std::min(position, 1.0) * seekRange)));
        }

        elapsed->setText(formatClock(state == PlayerState::Ended ? length : time) + QStringLiteral(" / ")
                         + formatClock(length));

        if (state == PlayerState::Playing || state == PlayerState::Paused)
            playedSinceLoad = true;
        const bool failed = state == PlayerState::Error
                            || (state == PlayerState::Ended && !playedSinceLoad && length <= 0);
        if (state == PlayerState::Playing || state == PlayerState::Paused) {
            empty->setText(QStringLiteral("Audio playback"));
            empty->setVisible(videoOutputs == 0);
        } else if (failed && !reportedError) {
            empty->setText(QStringLiteral("This file could not be played"));
            empty->show();
            reportedError = true;
        }

        checkSmokeFrame(state, time, videoOutputs);
    }
    refreshControls();
    checkSmokeVerdict();
}

void Viewer::showIdleTransport()
{
    toggle->setEnabled(false);
    seek->setEnabled(false);
    seek->setValue(0);
    elapsed->setText(QStringLiteral("0:00 / 0:00"));
}

void Viewer::applyPendingSeek(qint64 length)
{
    libvlc_media_player_t *handle = player->handle.get();
    if (!pendingSeek || !libvlc_media_player_is_seekable(handle))
        return;
    const qint64 target = std::min(*pendingSeek, std::max<qint64>(length - 1, 0));
    if (pendingPause)
        pauseThenSeek(target);
    else
        libvlc_media_player_set_time(handle, target);
    pendingSeek.reset();
    pendingPause = false;
}

