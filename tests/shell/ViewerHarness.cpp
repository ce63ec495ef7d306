#include "ViewerHarness.h"

#include "shell/Player.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

namespace {

GeneratedMedia makeMedia(const QString &dir)
{
    GeneratedMedia m;
    m.directory = dir;
    m.video = dir + "/video clip.mp4";
    m.shortVideo = dir + "/short.mp4";
    m.colours = dir + "/colours.mp4";
    m.audio = dir + "/tone.wav";
    m.garbage = dir + "/not-media.mp4";
    const QStringList x264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "5"};
    bool ok = testsupport::ffmpeg(QStringList{"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=4",
                                              "-f", "lavfi", "-i", "sine=frequency=440:duration=4"}
                                  + x264 + QStringList{"-c:a", "aac", "-shortest", m.video});
    ok = ok && testsupport::ffmpeg(QStringList{"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=1.5"}
                                   + x264 + QStringList{m.shortVideo});
    ok = ok && testsupport::ffmpeg(QStringList{"-f", "lavfi", "-i", "color=c=red:s=320x240:r=25:d=2", "-f", "lavfi",
                                               "-i", "color=c=lime:s=320x240:r=25:d=2", "-f", "lavfi", "-i",
                                               "color=c=blue:s=320x240:r=25:d=2", "-filter_complex",
                                               "[0:v][1:v][2:v]concat=n=3:v=1:a=0"}
                                   + x264 + QStringList{m.colours});
    ok = ok && testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=frequency=330:duration=3", m.audio});
    QByteArray junk;
    for (int i = 0; i < 64 * 1024; ++i)
        junk.append(char((i * 7919) ^ (i >> 3)));
    ok = ok && testsupport::writeAll(m.garbage, junk);
    if (!ok)
        m = {};
    return m;
}

} // namespace

const GeneratedMedia *generatedMedia()
{
    static QTemporaryDir dir;
    static const GeneratedMedia media = makeMedia(dir.path());
    return media.video.isEmpty() ? nullptr : &media;
}

ViewerHarness::ViewerHarness(const QStringList &arguments)
{
    auto fake = std::make_unique<FakeDialogs>();
    record = fake->asked;
    openAnswer = fake->openAnswer;
    alertAnswer = fake->alertAnswer;
    saveAnswer = fake->saveAnswer;
    view = std::make_unique<Viewer>(std::move(fake));
    view->launch(arguments, QDir::currentPath());
}

ViewerHarness::~ViewerHarness()
{
    view->terminate();
}

int ViewerHarness::playerState() const
{
    return view->player ? int(libvlc_media_player_get_state(view->player->handle.get())) : -1;
}

qint64 ViewerHarness::playerTime() const
{
    return view->player ? libvlc_media_player_get_time(view->player->handle.get()) : -1;
}

bool ViewerHarness::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

void ViewerHarness::runTicks(int ticks)
{
    QTest::qWait(ticks * 200 + 50);
}
