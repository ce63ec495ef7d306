#pragma once

#include <memory>
#include <vlc/vlc.h>

class QString;
class VideoSurface;

// The one libVLC instance and media player of the application. Exists only when both could be made;
// releases the media player first, then the instance.
class Player {
public:
    // Nothing when libVLC or its media player cannot start.
    static std::unique_ptr<Player> create();

    // Starts one local file on `surface`. True when playback was requested; decoding failures show up later
    // as the error state. Callers stop the player first.
    bool playFile(const QString &url, VideoSurface &surface);

    libvlc_instance_t *instanceHandle() const { return instance.get(); }

    struct InstanceRelease {
        void operator()(libvlc_instance_t *p) const { libvlc_release(p); }
    };
    struct PlayerRelease {
        void operator()(libvlc_media_player_t *p) const { libvlc_media_player_release(p); }
    };

private:
    Player(libvlc_instance_t *instance, libvlc_media_player_t *handle);

    // Declared in this order so the media player goes before the instance.
    std::unique_ptr<libvlc_instance_t, InstanceRelease> instance;

public:
    const std::unique_ptr<libvlc_media_player_t, PlayerRelease> handle;
};

// libVLC's player states as the application reads them.
namespace PlayerState {
constexpr int Idle = libvlc_NothingSpecial;
constexpr int Opening = libvlc_Opening;
constexpr int Buffering = libvlc_Buffering;
constexpr int Playing = libvlc_Playing;
constexpr int Paused = libvlc_Paused;
constexpr int Stopped = libvlc_Stopped;
constexpr int Ended = libvlc_Ended;
constexpr int Error = libvlc_Error;
} // namespace PlayerState
