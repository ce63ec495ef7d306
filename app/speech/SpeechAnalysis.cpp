#include "speech/SpeechAnalysis.h"

#include "notes/ReviewNote.h"
#include "speech/ClipSuggestion.h"
#include "speech/SpeechCommands.h"
#include "speech/Transcript.h"
#include "tools/JobErrors.h"
#include "tools/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// Removes the scratch directory on every way out of the analysis.
class ScratchDirectory {
public:
    ScratchDirectory(const ScratchFiles &files, const QString &parent)
        : files(files), path(files.makeScratchDirectory(parent))
    {
    }
    ScratchDirectory(const ScratchDirectory &) = delete;
    ScratchDirectory &operator=(const ScratchDirectory &) = delete;
    ~ScratchDirectory() { files.removeItemQuietly(path); }

    QString file(const QString &name) const { return QDir(path).filePath(name); }

private:
    const ScratchFiles &files;
    const QString path;
};

// A read failure carries the platform's description, as QFile reports it (strerror of the failed call).
QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReviewError{file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ReviewError{file.errorString()};
    return bytes;
}
} // namespace

SpeechResult analyze(const SpeechEngine &engine, const QString &media, const QString &language, qint64 duration,
                     RenderJob &job, const ScratchFiles &files)
{
    const ScratchDirectory scratch(files, QDir::tempPath());
    const QString wav = scratch.file(speechFiles::audio);
    const QString log = scratch.file(speechFiles::log);
    runTool(engine.ffmpeg, extractionArguments(media, wav), log, job);
    runTool(engine.whisper, recognitionArguments(engine.model, wav, language, scratch.file(speechFiles::outputBase)),
            log, job);

    // The transcript is decoded before the captions are read, so a broken transcript fails the analysis
    // whatever the captions hold.
    const TranscriptDecoding decoded = decodeTranscript(readWholeFile(scratch.file(speechFiles::transcript)));
    if (!decoded.transcript)
        throw ReviewError{decoded.error};
    SpeechResult result;
    result.clips = suggestClips(decoded.transcript->transcription, duration);
    result.srt = readWholeFile(scratch.file(speechFiles::captions));
    if (result.srt.isEmpty())
        throw ReviewError{noSpeechMessage};
    return result;
}

void renderClip(const SpeechEngine &engine, qint64 start, qint64 end, const QString &media, const QString &output,
                RenderJob &job)
{
    const QString log = QFileInfo(output).dir().filePath(clipLogName);
    runTool(engine.ffmpeg, clipArguments(start, end, media, output), log, job);
}
