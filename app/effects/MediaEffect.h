#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The five effects, in the order of the inspector's effect pop-up.
enum class MediaEffect { monochrome, warmShadows, sharpen, dialogueLevel, dialogueCleanup };

inline constexpr int mediaEffectCount = 5;

enum class RenderPath { picture, sound, denoise };

QString effectTitle(MediaEffect effect);
QString effectDescription(MediaEffect effect);
QString effectExtension(MediaEffect effect); // "mp4" or "wav"
RenderPath effectRenderPath(MediaEffect effect);
std::optional<QString> effectFilter(MediaEffect effect); // none for the cleanup

// The pop-up's selected index (-1 for no selection) to the effect: 1 to 4 pick that effect, anything
// else the first.
MediaEffect effectForIndex(int selectedIndex);

// The default export name: the media's file name without its last extension, "-", and the effect's title
// in lower case with blanks turned into "-".
QString defaultEffectExportName(const QString &mediaPath, MediaEffect effect);
