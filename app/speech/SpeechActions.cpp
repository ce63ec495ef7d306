#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/Player.h"
#include "speech/SpeechAnalysis.h"
#include "speech/SpeechCommands.h"
#include "tools/ScratchFiles.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPointer>
#include <vlc/vlc.h>

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
    if (!currentURL || job || !speech)
        return;
    const QByteArray srt = speech->srt; // written exactly as the recogniser wrote it
    QPointer<Viewer> self(this);
    chooseExportDestination(nameWithoutExtension(QFileInfo(*currentURL).fileName()), QStringLiteral("srt"),
                            [self, srt](const QString &destination) {
                                if (self)
                                    self->writeExport(srt, destination, captionsExportedMessage);
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
    if (!currentURL || job || !clip)
        return;
    const auto engine = makeSpeechEngine();
    if (!engine)
        return;
    const QString media = *currentURL;
    QPointer<Viewer> self(this);
    chooseExportDestination(
        clipExportBaseName(QFileInfo(media).fileName(), clip->start), QStringLiteral("mp4"),
        [self, engine = *engine, clip = *clip, media](const QString &destination) {
            if (!self)
                return;
            self->startFileJob(QStringLiteral("mp4"), destination, clip.start, clipExportStatus,
                               [engine, clip, media](const QString &output, RenderJob &running) {
                                   renderClip(engine, clip.start, clip.end, media, output, running);
                               });
        });
}
