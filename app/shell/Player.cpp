#include "shell/Player.h"

#include "shell/VideoSurface.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <array>
#include <cstdlib>
#include <cstring>

static_assert(libvlc_Playing == 3 && libvlc_Paused == 4 && libvlc_Ended == 6 && libvlc_Error == 7);

Player::Player(libvlc_instance_t *instance, libvlc_media_player_t *handle)
    : instance(instance), handle(handle)
{
}

std::unique_ptr<Player> Player::create()
{
    static constexpr std::array<const char *, 4> options{"--ignore-config", "--no-media-library",
                                                         "--no-video-title-show", "--no-osd"};
    // libVLC takes non-const strings; give it private copies and free them in every outcome.
    std::array<std::unique_ptr<char, decltype(&std::free)>, options.size()> copies{
        {{nullptr, &std::free}, {nullptr, &std::free}, {nullptr, &std::free}, {nullptr, &std::free}}};
    std::array<const char *, options.size()> argv{};
    for (std::size_t i = 0; i < options.size(); ++i) {
        copies[i].reset(strdup(options[i]));
        argv[i] = copies[i].get();
    }
    std::unique_ptr<libvlc_instance_t, InstanceRelease> instance(
        libvlc_new(static_cast<int>(argv.size()), argv.data()));
    if (!instance)
        return nullptr;
    libvlc_media_player_t *handle = libvlc_media_player_new(instance.get());
    if (!handle)
        return nullptr; // the instance is released on the way out
    return std::unique_ptr<Player>(new Player(instance.release(), handle));
}

bool Player::playFile(const QString &url, VideoSurface &surface)
{
    // Only local files: a web address or an empty location is refused without touching the player.
    if (!QDir::isAbsolutePath(url))
        return false;
    libvlc_media_t *media = libvlc_media_new_path(instance.get(), QFile::encodeName(url).constData());
    if (!media)
        return false;
    surface.attach(handle.get());
    libvlc_media_player_set_media(handle.get(), media);
    const int started = libvlc_media_player_play(handle.get());
    libvlc_media_release(media);
    return started == 0;
}
