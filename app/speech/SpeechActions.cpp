#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/Player.h"
#include "speech/SpeechAnalysis.h"
#include "speech/SpeechCommands.h"
#include "tools/ScratchFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <vlc/vlc.h>

namespace {
// Writes the captions through a scratch directory beside the destination and an exclusive rename, so a file
// under the chosen name is either complete or untouched. True on success.
bool writeWithoutReplacing(const QByteArray &bytes, const QString &destination)
{
    try {
        const QString scratch = makeScratchDirectory(QFileInfo(destination).absolutePath());
        const QString staged = QDir(scratch).filePath(QStringLiteral("export"));
        QFile file(staged);
        const bool written = file.open(QIODevice::NewOnly | QIODevice::WriteOnly) &&
                             file.write(bytes) == bytes.size() && file.flush();
        file.close();
        bool moved = false;
        if (written) {
            try {
                moveWithoutReplacing(staged, destination);
                moved = true;
            } catch (...) {
            }
        }
        removeItemQuietly(scratch);
        return moved;
    } catch (...) {
        return false;
    }
}

SaveRequest saveRequest(const QString &baseName, const QString &extension, const QString &filter)
{
    SaveRequest request;
    request.proposedName = baseName + QLatin1Char('.') + extension;
    request.nameFilter = filter;
    request.defaultSuffix = extension;
    return request;
}
} // namespace

void Viewer::languageChanged()
{
    if (job)
        return;
    speech.reset();
    inspector->clips.clear();
    inspector->reloadClips();
    refreshControls();
}

void Viewer::analyzeSpeech()
{
    if (!currentURL || job)
        return;
    const auto engine = makeSpeechEngine();
    if (!engine)
        return;
    const QString language = languages.value(inspector->language->currentIndex(), languages.value(0));
    // While a preview plays, the player's length is the preview's, not the media's: then no duration is known.
    const qint64 duration = !preview && player ? libvlc_media_player_get_length(player->handle.get()) : 0;
    startSpeechJob(
        [engine = *engine, media = *currentURL, language, duration](RenderJob &running) {
            return analyze(engine, media, language, duration, running, systemScratchFiles());
        },
        [this](SpeechResult result) {
            speech = result;
            inspector->clips = result.clips;
            inspector->reloadClips();
            inspector->setStatus(analysisCompletionText(result.clips.size()));
        });
}

void Viewer::exportSRT()
{
    if (!currentURL || job || !speech || !window)
        return;
    const QByteArray srt = speech->srt;
    QPointer<Viewer> self(this);
    dialogs().chooseSaveFile(window.get(),
                             saveRequest(nameWithoutExtension(QFileInfo(*currentURL).fileName()), QStringLiteral("srt"),
                                         QStringLiteral("SubRip captions (*.srt)")),
                             [self, srt](std::optional<QString> destination) {
                                 if (!destination || !self)
                                     return;
                                 self->inspector->setStatus(
                                     writeWithoutReplacing(srt, *destination)
                                         ? captionsExportedMessage
                                         : QStringLiteral("Could not export. Choose a new filename and try again."));
                             });
}

void Viewer::previewClip()
{
    const auto clip = selectedClip();
    if (!currentURL || job || !clip)
        return;
    const auto engine = makeSpeechEngine();
    if (!engine)
        return;
    startFileJob(QStringLiteral("mp4"), std::nullopt, clip->start, clipPreviewStatus,
                 [engine = *engine, clip = *clip, media = *currentURL](const QString &output, RenderJob &running) {
                     renderClip(engine, clip.start, clip.end, media, output, running);
                 });
}

void Viewer::exportClip()
{
    const auto clip = selectedClip();
    if (!currentURL || job || !clip || !window)
        return;
    const auto engine = makeSpeechEngine();
    if (!engine)
        return;
    const QString media = *currentURL;
    QPointer<Viewer> self(this);
    dialogs().chooseSaveFile(
        window.get(),
        saveRequest(clipExportBaseName(QFileInfo(media).fileName(), clip->start), QStringLiteral("mp4"),
                    QStringLiteral("MPEG-4 movie (*.mp4)")),
        [self, engine = *engine, clip = *clip, media](std::optional<QString> destination) {
            if (!destination || !self)
                return;
            self->startFileJob(QStringLiteral("mp4"), *destination, clip.start, clipExportStatus,
                               [engine, clip, media](const QString &output, RenderJob &running) {
                                   renderClip(engine, clip.start, clip.end, media, output, running);
                               });
        });
}
