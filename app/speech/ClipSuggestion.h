#pragma once

#include "speech/SpeechResult.h"
#include "speech/Transcript.h"

#include <QList>
#include <QtGlobal>

// The rules that turn recognised segments into suggested excerpts, all in milliseconds.
namespace clipRules {
inline constexpr qint64 largestSilence = 1350; // a longer gap between segments closes a group
inline constexpr qint64 largestSpan = 38000;   // a joining end further than this from the group's start closes it
inline constexpr qint64 shortestGroup = 1200;  // shorter groups are dropped
inline constexpr qint64 leadIn = 150;          // a clip starts this much before its group, never before 0
inline constexpr qint64 tail = 220;            // and ends this much after it, never after a known duration
inline constexpr qsizetype mostClips = 8;      // only the longest clips remain
} // namespace clipRules

// Groups the non-blank segments with 0 <= from < to into at most 8 excerpts, sorted by start. `duration`
// below 1 means the media length is not known, so clip ends are not capped.
QList<SpeechClip> suggestClips(const QList<Transcript::Segment> &segments, qint64 duration);
