#pragma once

#include <QImage>
#include <QWidget>
#include <atomic>
#include <mutex>
#include <vector>
#include <vlc/vlc.h>

// The view libVLC draws into. On X11 libVLC gets the widget's native window; on any other Qt platform
// (offscreen, native Wayland) libVLC must not be handed a window, so frames come through its video
// callbacks and are painted here.
class VideoSurface : public QWidget {
    Q_OBJECT

public:
    explicit VideoSurface(QWidget *parent = nullptr);

    // True when libVLC draws straight into this widget's X11 window.
    static bool drawsNatively();

    void attach(libvlc_media_player_t *player);
    void detach(libvlc_media_player_t *player);

    // The last frame delivered through the callbacks (empty on X11 or before the first frame).
    QImage lastFrame() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static unsigned setFormat(void **opaque, char *chroma, unsigned *width, unsigned *height, unsigned *pitches,
                              unsigned *lines);
    static void cleanupFormat(void *opaque);
    static void *lockFrame(void *opaque, void **planes);
    static void displayFrame(void *opaque, void *picture);

    // Written by libVLC's output thread, read by the main thread.
    mutable std::mutex frameLock;
    std::vector<uchar> buffer;
    unsigned frameWidth = 0;
    unsigned frameHeight = 0;
    QImage frame;
    std::atomic<bool> repaintPosted{false};
};
