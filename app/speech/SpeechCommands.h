#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// File names inside one analysis's scratch directory.
namespace speechFiles {
inline const QString audio = QStringLiteral("speech.wav");
inline const QString outputBase = QStringLiteral("speech"); // the recogniser adds ".json" and ".srt"
inline const QString transcript = QStringLiteral("speech.json");
inline const QString captions = QStringLiteral("speech.srt");
inline const QString log = QStringLiteral("speech.log");
} // namespace speechFiles

// FFmpeg's error output while rendering a clip, beside the clip.
inline const QString clipLogName = QStringLiteral("clip.log");

inline const QString noSpeechMessage = QStringLiteral("No speech was detected. Try a file with clearer dialogue.");
inline const QString clipPreviewStatus = QStringLiteral("Preparing clip preview…");
inline const QString clipExportStatus = QStringLiteral("Exporting the selected excerpt…");
inline const QString captionsExportedMessage = QStringLiteral("Captions exported.");

// The status once an analysis has succeeded.
QString analysisCompletionText(qsizetype clipCount);

// FFmpeg: the first audio stream of `media` as 16 kHz mono 16-bit WAV at `wav`. The stream is required, so
// a file without audio fails here.
QStringList extractionArguments(const QString &media, const QString &wav);

// whisper-cli: JSON and SRT written at `outputBase` plus ".json" and ".srt".
QStringList recognitionArguments(const QString &model, const QString &wav, const QString &language,
                                 const QString &outputBase);

// FFmpeg: the excerpt start..end (ms) of `media` as H.264/AAC MP4 at `output`, which is always a new file.
QStringList clipArguments(qint64 start, qint64 end, const QString &media, const QString &output);

// A file name without its last extension: "movie.final.mkv" gives "movie.final". A leading dot does not
// start an extension.
QString nameWithoutExtension(const QString &fileName);

// The name proposed for a clip export, without extension: "interview-clip-61234".
QString clipExportBaseName(const QString &mediaFileName, qint64 clipStart);
