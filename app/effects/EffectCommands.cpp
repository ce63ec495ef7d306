#include "effects/EffectCommands.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
// Whole seconds, a dot, milliseconds in three digits.
QString secondsText(qint64 ms)
{
    return QString::asprintf("%lld.%03lld", static_cast<long long>(ms / 1000), static_cast<long long>(ms % 1000));
}

const QStringList quietHead{"-hide_banner", "-nostdin", "-loglevel", "error", "-n"};
} // namespace

QStringList effectInputArguments(const QString &demuxers, const QString &source, qint64 startMs, RenderMode mode)
{
    QStringList arguments = quietHead;
    arguments << "-protocol_whitelist" << "file" << "-format_whitelist" << demuxers;
    if (mode == RenderMode::preview)
        arguments << "-ss" << secondsText(std::max<qint64>(startMs, 0));
    arguments << "-i" << source;
    if (mode == RenderMode::preview)
        arguments << "-t" << QString::number(previewSeconds);
    return arguments;
}

QList<RenderStep> effectRenderSteps(MediaEffect effect, const QString &source, const QString &output, qint64 startMs,
                                    RenderMode mode, const QString &demuxers)
{
    const QStringList input = effectInputArguments(demuxers, source, startMs, mode);
    switch (effectRenderPath(effect)) {
    case RenderPath::picture: {
        QStringList arguments = input;
        arguments << "-map" << "0:V:0" << "-map" << "0:a:0?" << "-vf"
                  << effectFilter(effect).value_or(QString()) + ",pad=ceil(iw/2)*2:ceil(ih/2)*2"
                  // The software H.264 encoder stands in for the hardware one, so no fallback switch.
                  << "-c:v" << "libx264" << "-b:v" << "8M" << "-pix_fmt" << "yuv420p" << "-c:a" << "aac" << "-b:a"
                  << "192k" << "-movflags" << "+faststart" << output;
        return {{RenderProgram::ffmpeg, arguments}};
    }
    case RenderPath::sound: {
        QStringList arguments = input;
        arguments << "-map" << "0:a:0" << "-vn" << "-af" << effectFilter(effect).value_or(QString()) << "-ar" << "48000"
                  << "-c:a" << "pcm_s16le" << output;
        return {{RenderProgram::ffmpeg, arguments}};
    }
    case RenderPath::denoise: {
        const QDir directory = QFileInfo(output).dir();
        const QString original = directory.filePath("original.pcm");
        const QString clean = directory.filePath("clean.pcm");
        QStringList decode = input;
        decode << "-map" << "0:a:0" << "-vn" << "-ar" << "48000" << "-ac" << "1" << "-f" << "s16le" << original;
        QStringList wrap = quietHead;
        wrap << "-f" << "s16le" << "-ar" << "48000" << "-ac" << "1" << "-i" << clean << "-c:a" << "pcm_s16le" << output;
        return {{RenderProgram::ffmpeg, decode}, {RenderProgram::denoiser, {original, clean}}, {RenderProgram::ffmpeg, wrap}};
    }
    }
    return {};
}
