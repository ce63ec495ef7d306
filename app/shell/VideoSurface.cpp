#include "shell/VideoSurface.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstring>

namespace {
const QColor videoBackground = QColor::fromRgbF(0.055f, 0.06f, 0.052f);
// Frames larger than this are refused rather than allocated (a corrupt stream may claim any size).
constexpr unsigned maxSide = 8192;
} // namespace

VideoSurface::VideoSurface(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Video"));
    if (drawsNatively())
        setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool VideoSurface::drawsNatively()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void VideoSurface::attach(libvlc_media_player_t *player)
{
    if (drawsNatively()) {
        libvlc_media_player_set_xwindow(player, static_cast<uint32_t>(winId()));
        return;
    }
    libvlc_video_set_format_callbacks(player, &VideoSurface::setFormat, &VideoSurface::cleanupFormat);
    libvlc_video_set_callbacks(player, &VideoSurface::lockFrame, nullptr, &VideoSurface::displayFrame, this);
}

void VideoSurface::detach(libvlc_media_player_t *player)
{
    if (drawsNatively()) {
        libvlc_media_player_set_xwindow(player, 0);
        return;
    }
    // The callbacks stay installed (they never open a window); only the picture goes.
    {
        std::lock_guard guard(frameLock);
        frame = QImage();
    }
    update();
}

QImage VideoSurface::lastFrame() const
{
    std::lock_guard guard(frameLock);
    return frame;
}

void VideoSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), videoBackground);
    const QImage shown = lastFrame();
    if (shown.isNull())
        return;
    const QSize fitted = shown.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), fitted);
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, shown);
}

unsigned VideoSurface::setFormat(void **opaque, char *chroma, unsigned *width, unsigned *height,
                                 unsigned *pitches, unsigned *lines)
{
    auto *self = static_cast<VideoSurface *>(*opaque);
    if (*width == 0 || *height == 0 || *width > maxSide || *height > maxSide)
        return 0;
    std::memcpy(chroma, "RV32", 4);
    pitches[0] = *width * 4;
    lines[0] = *height;
    std::lock_guard guard(self->frameLock);
    self->frameWidth = *width;
    self->frameHeight = *height;
    self->buffer.assign(std::size_t(pitches[0]) * lines[0], 0);
    return 1;
}

void VideoSurface::cleanupFormat(void *opaque)
{
    auto *self = static_cast<VideoSurface *>(opaque);
    std::lock_guard guard(self->frameLock);
    self->buffer.clear();
    self->buffer.shrink_to_fit();
}

void *VideoSurface::lockFrame(void *opaque, void **planes)
{
    auto *self = static_cast<VideoSurface *>(opaque);
    // One buffer: libVLC writes a picture, then displays it, before it locks the next one.
    planes[0] = self->buffer.data();
    return nullptr;
}

void VideoSurface::displayFrame(void *opaque, void *)
{
    auto *self = static_cast<VideoSurface *>(opaque);
    {
        std::lock_guard guard(self->frameLock);
        QImage view(self->buffer.data(), int(self->frameWidth), int(self->frameHeight),
                    int(self->frameWidth * 4), QImage::Format_RGB32);
        self->frame = view.copy();
    }
    // One repaint request at a time; the main thread picks up the newest frame.
    if (!self->repaintPosted.exchange(true)) {
        QMetaObject::invokeMethod(
            self,
            [self] {
                self->repaintPosted = false;
                self->update();
            },
            Qt::QueuedConnection);
    }
}
