#pragma once

#include "effects/MediaEffect.h"
#include "tools/ToolLocator.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

enum class RenderMode { preview, exportWhole };

// Which program a step of a render runs.
enum class RenderProgram { ffmpeg, denoiser };

struct RenderStep {
    RenderProgram program;
    QStringList arguments;

    friend bool operator==(const RenderStep &, const RenderStep &) = default;
};

// A preview covers at most this many seconds from its start.
inline constexpr int previewSeconds = 8;

// The start of every FFmpeg command that reads the source: quiet, no input, no overwriting, local files
// of the allowed formats only; a preview seeks before opening and stops after 8 seconds.
QStringList effectInputArguments(const QString &demuxers, const QString &source, qint64 startMs, RenderMode mode);

// The programs of one render and their arguments, in order. `output` names the result; the cleanup's raw
// sample files "original.pcm" and "clean.pcm" lie beside it.
QList<RenderStep> effectRenderSteps(MediaEffect effect, const QString &source, const QString &output, qint64 startMs,
                                    RenderMode mode, const QString &demuxers);
