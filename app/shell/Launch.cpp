#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/CommandLine.h"
#include "shell/PluginPath.h"
#include "shell/Player.h"
#include "shell/VideoSurface.h"
#include "tools/ResourceDirectory.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QFile>
#include <QTimer>

void Viewer::launch(const QStringList &arguments, const QString &workingDirectory)
{
    // The dark appearance is applied by main before any widget exists.
    buildMenus();
    buildWindow();
    connectInspector();
    refreshControls();
    window->raise();
    window->activateWindow();
    exportPluginPath();
    createPlayer();
    if (const auto request = parseCommandLine(arguments, workingDirectory)) {
        if (request->mode == LaunchRequest::Mode::Smoke)
            smokeURL = request->path;
        openMedia(request->path);
    }
    startTimer();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Viewer::terminate);
}

void Viewer::exportPluginPath()
{
    const auto resources = resourceDirectory();
    if (!resources)
        return;
    if (const auto entry = vlcPluginEntry(*resources))
        qputenv("VLC_PLUGIN_PATH", QFile::encodeName(*entry));
}

void Viewer::createPlayer()
{
    player = Player::create();
    if (player)
        libvlc_audio_set_volume(player->handle.get(), 85);
    else
        empty->setText(QStringLiteral("The VLC playback engine could not start"));
}

void Viewer::startTimer()
{
    timer = std::make_unique<QTimer>();
    timer->setInterval(200);
    connect(timer.get(), &QTimer::timeout, this, &Viewer::refresh);
    timer->start();
}

void Viewer::terminate()
{
    if (timer)
        timer->stop();
    requestJobCancellation();
    std::optional<QString> previewDirectoryOf;
    if (preview)
        previewDirectoryOf = preview->url;
    stopAndDetach();
    if (previewDirectoryOf)
        removePreviewDirectory(*previewDirectoryOf);
}

void Viewer::stopAndDetach()
{
    if (!player)
        return;
    libvlc_media_player_stop(player->handle.get());
    surface->detach(player->handle.get());
}
