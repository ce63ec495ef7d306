#include "effects/MediaEffect.h"

#include <QFileInfo>

QString effectTitle(MediaEffect effect)
{
    switch (effect) {
    case MediaEffect::monochrome:
        return QStringLiteral("Monochrome");
    case MediaEffect::warmShadows:
        return QStringLiteral("Warm Shadows");
    case MediaEffect::sharpen:
        return QStringLiteral("Sharpen Detail");
    case MediaEffect::dialogueLevel:
        return QStringLiteral("Level Dialogue");
    case MediaEffect::dialogueCleanup:
        return QStringLiteral("Clean Background Noise");
    }
    return {};
}

QString effectDescription(MediaEffect effect)
{
    switch (effect) {
    case MediaEffect::monochrome:
        return QStringLiteral("Black and white with a small lift in contrast.");
    case MediaEffect::warmShadows:
        return QStringLiteral("Warmer shadows with restrained highlights.");
    case MediaEffect::sharpen:
        return QStringLiteral("A light luma sharpen for softer footage.");
    case MediaEffect::dialogueLevel:
        return QStringLiteral("Loudness normalization for a new WAV audio file.");
    case MediaEffect::dialogueCleanup:
        return QStringLiteral("RNNoise reduces background noise and exports a 48 kHz mono WAV.");
    }
    return {};
}

RenderPath effectRenderPath(MediaEffect effect)
{
    switch (effect) {
    case MediaEffect::monochrome:
    case MediaEffect::warmShadows:
    case MediaEffect::sharpen:
        return RenderPath::picture;
    case MediaEffect::dialogueLevel:
        return RenderPath::sound;
    case MediaEffect::dialogueCleanup:
        return RenderPath::denoise;
    }
    return RenderPath::picture;
}

QString effectExtension(MediaEffect effect)
{
    return effectRenderPath(effect) == RenderPath::picture ? QStringLiteral("mp4") : QStringLiteral("wav");
}

std::optional<QString> effectFilter(MediaEffect effect)
{
    switch (effect) {
    case MediaEffect::monochrome:
        return QStringLiteral("eq=saturation=0:contrast=1.10");
    case MediaEffect::warmShadows:
        return QStringLiteral("colorbalance=rs=0.05:gs=0.015:bs=-0.055:pl=1");
    case MediaEffect::sharpen:
        return QStringLiteral("unsharp=5:5:0.65:5:5:0");
    case MediaEffect::dialogueLevel:
        return QStringLiteral("loudnorm=I=-16:TP=-1.5:LRA=11");
    case MediaEffect::dialogueCleanup:
        return std::nullopt;
    }
    return std::nullopt;
}

MediaEffect effectForIndex(int selectedIndex)
{
    if (selectedIndex >= 1 && selectedIndex < mediaEffectCount)
        return static_cast<MediaEffect>(selectedIndex);
    return MediaEffect::monochrome;
}

QString defaultEffectExportName(const QString &mediaPath, MediaEffect effect)
{
    const QString name = QFileInfo(mediaPath).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    QString ending = effectTitle(effect).toLower();
    ending.replace(QLatin1Char(' '), QLatin1Char('-'));
    return base + QLatin1Char('-') + ending;
}
