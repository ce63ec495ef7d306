#pragma once

#include "FakeDialogs.h"
#include "shell/Viewer.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Media made with FFmpeg once per test program, in a temporary directory.
struct GeneratedMedia {
    QString video;      // 4 s, 320x240 test pattern with a tone
    QString shortVideo; // 1.5 s
    QString colours;    // 2 s red, 2 s green, 2 s blue, 320x240
    QString audio;      // 3 s tone, WAV
    QString garbage;    // bytes that are no media
    QString directory;
};

// Null when FFmpeg could not make the files.
const GeneratedMedia *generatedMedia();

// A Viewer made and launched as at start-up (window, menus, player, timer) but without exec(); the test
// drives the event loop itself. The dialogs are fakes whose answers the test sets.
class ViewerHarness {
public:
    explicit ViewerHarness(const QStringList &arguments = {});
    ~ViewerHarness();

    Viewer &viewer() { return *view; }
    Viewer *operator->() { return view.get(); }
    FakeDialogs::Record &asked() { return *record; }
    void answerOpen(const std::optional<QString> &path) { *openAnswer = path; }
    void answerAlert(AlertAnswer answer) { *alertAnswer = answer; }
    void answerSave(const std::optional<QString> &path) { *saveAnswer = path; }

    // libVLC's player state, or -1 without a player.
    int playerState() const;
    qint64 playerTime() const;

    // Runs the event loop until `condition` holds or `timeoutMs` passes; true when it held.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 10000);
    // Runs the event loop for about `ticks` refresh ticks.
    static void runTicks(int ticks);

private:
    std::shared_ptr<FakeDialogs::Record> record;
    std::shared_ptr<std::optional<QString>> openAnswer;
    std::shared_ptr<AlertAnswer> alertAnswer;
    std::shared_ptr<std::optional<QString>> saveAnswer;
    std::unique_ptr<Viewer> view;
};
