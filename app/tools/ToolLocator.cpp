#include "tools/ToolLocator.h"

#include <QDir>

QStringList ffmpegCandidates(const std::optional<QString> &variable, const QString &home)
{
    QStringList candidates;
    if (variable)
        candidates << *variable;
    candidates << QStringLiteral("/opt/homebrew/bin/ffmpeg") << QStringLiteral("/usr/local/bin/ffmpeg")
               << QDir(home).filePath(QStringLiteral(".local/bin/ffmpeg")) << QStringLiteral("/opt/local/bin/ffmpeg")
               << QStringLiteral("/usr/bin/ffmpeg");
    return candidates;
}

std::optional<QString> firstAcceptedTool(const QStringList &candidates,
                                         const std::function<bool(const QString &)> &isExecutable)
{
    for (const QString &candidate : candidates) {
        // Used verbatim: no tilde expansion and no search path, so anything relative is skipped.
        if (candidate.startsWith(QLatin1Char('/')) && isExecutable(candidate))
            return candidate;
    }
    return std::nullopt;
}

ToolLookup<EffectRender> effectRenderFrom(const std::optional<QString> &ffmpeg,
                                          const std::optional<QString> &resourceDirectory)
{
    if (!ffmpeg)
        return {std::nullopt, ffmpegMissingMessage};
    EffectRender tools{*ffmpeg, std::nullopt, effectDemuxers};
    if (resourceDirectory)
        tools.denoiser = QDir(*resourceDirectory).filePath(QStringLiteral("Engines/ostrivan-denoise"));
    return {tools, std::nullopt};
}

ToolLookup<SpeechEngine> speechEngineFrom(const std::optional<QString> &ffmpeg,
                                          const std::optional<QString> &resourceDirectory,
                                          const std::function<bool(const QString &)> &isExecutable,
                                          const std::function<bool(const QString &)> &exists)
{
    // FFmpeg comes first, so its message wins over a missing speech engine.
    const auto effect = effectRenderFrom(ffmpeg, resourceDirectory);
    if (!effect.value)
        return {std::nullopt, effect.message};
    if (!resourceDirectory)
        return {std::nullopt, std::nullopt};
    const QDir engines(QDir(*resourceDirectory).filePath(QStringLiteral("Engines")));
    const QString whisper = engines.filePath(QStringLiteral("whisper-cli"));
    const QString model = engines.filePath(QStringLiteral("ggml-tiny.bin"));
    if (isExecutable(whisper) && exists(model))
        return {SpeechEngine{effect.value->ffmpeg, whisper, model}, std::nullopt};
    return {std::nullopt, speechEngineMissingMessage};
}
