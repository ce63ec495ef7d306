#pragma once

#include "notes/ReviewNote.h"
#include "notes/ReviewStore.h"
#include "shell/DialogProvider.h"
#include "speech/SpeechResult.h"
#include "tools/FileJob.h"
#include "tools/JobErrors.h"
#include "tools/RenderJob.h"
#include "tools/ToolLocator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QUuid>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QMenuBar;
class QMainWindow;
class QPushButton;
class QSlider;
class QTimer;
class QWidget;
class Player;
class ReviewPanel;
class VideoSurface;
struct ControlInputs;

// The note being written: its media time, and the id of the saved note being edited (none for a new note).
struct NoteDraft {
    qint64 time = 0;
    std::optional<QUuid> id;
};

// A rendered preview played in place of the opened media: the rendered file and the media time it starts at.
struct PreviewShown {
    QString url;
    qint64 start = 0;
};

// The one main controller: owns the window, the player, the refresh timer, the inspector and all review state.
// Each subsystem's actions live in that subsystem's folder (NoteActions.cpp, EffectActions.cpp, ...).
class Viewer : public QObject {
    Q_OBJECT

public:
    // `dialogs` answers every open/save panel and alert; null means the real Qt dialogs.
    explicit Viewer(std::unique_ptr<DialogProvider> dialogs = nullptr, QObject *parent = nullptr);
    ~Viewer() override;

    // The launch sequence: menus, window, wiring, player, command line, refresh timer.
    // `arguments` excludes the program name.
    void launch(const QStringList &arguments, const QString &workingDirectory);
    // The clean-up when the application quits: timer, running job, playback, shown preview.
    void terminate();

    // ---- Shell: window and transport controls (made at construction, laid out at launch) ----
    VideoSurface *surface = nullptr; // what libVLC draws into
    QPushButton *openButton = nullptr;
    ReviewPanel *inspector = nullptr;

    // ---- Notes ----
    ReviewStore noteStore;             // root: <generic data>/Ostrivan/Review Notes
    std::optional<NoteDraft> noteDraft; // the note being written
    bool notesWritable = true;          // false when the open media's notes could not be read

    // ---- Playback ----
    bool mediaHasVideo = false;         // the open media has shown a video output
    qint64 availableTime = -1;          // playhead last read from the player; -1 = not known
    std::optional<qint64> pendingSeek;  // a seek to make once playback runs
    bool pendingPause = false;          // pause right after that seek

    // ---- Jobs, previews, speech ----
    std::optional<PreviewShown> preview; // the rendered preview being shown
    std::shared_ptr<RenderJob> job;      // the running external job
    std::optional<SpeechResult> speech;  // the last speech analysis
    QStringList languages{QStringLiteral("auto"), QStringLiteral("en"), QStringLiteral("hi")};

    // ---- Shell: labels and transport ----
    QLabel *heading = nullptr;
    QLabel *filename = nullptr;
    QLabel *empty = nullptr;   // placeholder over the video; also shows playback messages
    QLabel *elapsed = nullptr;
    QSlider *seek = nullptr;   // 0..seekRange stands for the position 0..1
    QPushButton *toggle = nullptr;
    std::unique_ptr<QMainWindow> window; // set at launch
    std::unique_ptr<Player> player;      // none when libVLC could not start
    std::unique_ptr<QTimer> timer;       // the refresh timer, set at launch
    std::optional<QString> currentURL;   // the media file under review (absolute path)
    bool reportedError = false;          // the playback error message has been shown since the last load

    // ---- Smoke test ----
    int smokeFrames = 0;
    int smokeTicks = 0;
    std::optional<QString> smokeURL;
    // Ends the smoke test: prints the verdict line and exits at once. Tests replace it to watch the verdict.
    std::function<void(const QString &line, int status)> endSmokeTest;

    static constexpr int seekRange = 10000;

    // ---- Playback operations ----
    void openMedia(const QString &url);
    bool startMedia(const QString &source, const QString &title, std::optional<qint64> seekTo);
    void seekToTime(qint64 t);

    // ---- Inspector ----
    void refreshControls();
    ControlInputs controlInputs() const;
    std::optional<SpeechClip> selectedClip() const;

    // ---- Tools and jobs (app/tools/JobActions.cpp, FileJobActions.cpp) ----
    // Each shows its fixed message on the status line when it finds nothing.
    std::optional<QString> locateFFmpeg() const;
    std::optional<EffectRender> makeEffectRender();
    std::optional<SpeechEngine> makeSpeechEngine();
    // Runs `work` in the background as the one job; on success `finish` runs on the main thread. Dropped
    // while another job runs.
    void startJob(const QString &status, std::function<void(RenderJob &)> work, std::function<void()> finish);
    void startSpeechJob(std::function<SpeechResult(RenderJob &)> work, std::function<void(SpeechResult)> finish);
    // A job that renders one file: a preview (no destination) shown in place of the media, or an export.
    void startFileJob(const QString &extension, const std::optional<QString> &destination, qint64 start,
                      const QString &status, FileRender render);
    // Where file jobs make, move and remove their files.
    ScratchFiles scratchFiles() const;

    // ---- Notes helpers ----
    std::optional<ReviewNote> selectedNote() const;
    void clearNoteEditor();

    // ---- Export destinations (app/notes/ExportActions.cpp) ----
    // A save panel proposing baseName.extension; `chosen` runs only when a path is confirmed and the Viewer lives.
    void chooseExportDestination(const QString &baseName, const QString &extension,
                                 std::function<void(const QString &destination)> chosen);
    // Writes through a scratch directory beside `destination` and never replaces a file; reports on the status line.
    void writeExport(const QByteArray &bytes, const QString &destination, const QString &successMessage);

    DialogProvider &dialogs() const { return *dialogProvider; }

public slots:
    // ---- Shell and playback ----
    void openFile();
    void about();
    void togglePlay();
    void seekToPosition();
    void refresh();

    // ---- Notes ----
    void markTime();
    void saveNote();
    void editNote();
    void deleteNote();
    void jumpToNote();
    void exportNotes();

    // ---- Effects ----
    void effectChanged();
    void previewEffect();
    void exportEffect();
    void showOriginal();

    // ---- Speech ----
    void languageChanged();
    void analyzeSpeech();
    void exportSRT();
    void previewClip();
    void exportClip();

    // ---- Jobs ----
    void cancelJob();

private:
    // Launch steps
    void buildMenus();
    void buildWindow();
    void connectInspector();
    void exportPluginPath();
    void createPlayer();
    void startTimer();
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Media open steps (loadNotes belongs to the notes subsystem: NoteActions.cpp)
    void clearReviewState();
    void loadNotes(const QString &url);
    void openDroppedFiles(const QList<QUrl> &urls);

    // Tick steps
    void showIdleTransport();
    void applyPendingSeek(qint64 length);
    void checkSmokeFrame(int state, qint64 time, int videoOutputs);
    void checkSmokeVerdict();

    // Job outcomes, on the main thread
    void finishJob(const std::optional<JobFailure> &failure, const std::function<void()> &finish);
    void finishFileJob(const QString &output, const std::optional<QString> &destination, qint64 start);

    // Termination (requestJobCancellation belongs to job control: JobActions.cpp)
    void requestJobCancellation();
    void stopAndDetach();

    static void removePreviewDirectory(const QString &previewUrl);

    std::unique_ptr<DialogProvider> dialogProvider;
    // Holds the controls made at construction until the window takes them over at launch.
    std::unique_ptr<QWidget> unplaced;
    // A seek asked for while playing, made once the pause has settled: libVLC 3 keeps showing the old picture
    // when the seek and the pause reach a playing player together, although its time then reads right.
    struct SettlingSeek {
        qint64 time = 0;
        QElapsedTimer paused;
    };
    std::optional<SettlingSeek> settlingSeek;
    void pauseThenSeek(qint64 t);
    void finishSettlingSeek(int state);
    // libVLC 3 ends, rather than fails, on a missing or undecodable file; without this it would read as a
    // file that played to its end.
    bool playedSinceLoad = false;
    QMenuBar *menus = nullptr; // built before the window, then handed to it
};
