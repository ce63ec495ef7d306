#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Where the effects find their programs. Plain values, looked up again on every action that needs them.
struct EffectRender {
    QString ffmpeg;
    std::optional<QString> denoiser; // absent when the resource directory is not available
    QString demuxers;
};

struct SpeechEngine {
    QString ffmpeg;
    QString whisper;
    QString model;
};

// The container formats FFmpeg may open for effects and speech extraction.
inline const QString effectDemuxers = QStringLiteral("mov,matroska,avi,wav,aiff,mp3,flac,ogg,aac,mpegts,asf");

inline const QString ffmpegMissingMessage = QStringLiteral("Install FFmpeg locally to use effects and speech tools.");
inline const QString speechEngineMissingMessage =
    QStringLiteral("The local speech engine or model is missing. Reinstall this preview.");

// FFmpeg candidates in the order they are tried: the variable's value verbatim (when set), then the fixed
// places, with the distribution's /usr/bin/ffmpeg last.
QStringList ffmpegCandidates(const std::optional<QString> &variable, const QString &home);

// The first candidate that is absolute and passes `isExecutable`.
std::optional<QString> firstAcceptedTool(const QStringList &candidates,
                                         const std::function<bool(const QString &)> &isExecutable);

// A lookup's value, or the status message to show instead (none when the failure is silent).
template <typename T>
struct ToolLookup {
    std::optional<T> value;
    std::optional<QString> message;
};

// Builds the effect tool locations from what was found.
ToolLookup<EffectRender> effectRenderFrom(const std::optional<QString> &ffmpeg,
                                          const std::optional<QString> &resourceDirectory);

// Builds the speech tool locations; `isExecutable` and `exists` test the engine files.
ToolLookup<SpeechEngine> speechEngineFrom(const std::optional<QString> &ffmpeg,
                                          const std::optional<QString> &resourceDirectory,
                                          const std::function<bool(const QString &)> &isExecutable,
                                          const std::function<bool(const QString &)> &exists);
