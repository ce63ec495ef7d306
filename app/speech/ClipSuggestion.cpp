#include "speech/ClipSuggestion.h"

#include <QStringList>
#include <algorithm>
#include <limits>
#include <vector>

namespace {
struct KeptSegment {
    qint64 from = 0;
    qint64 to = 0;
    QString text; // trimmed
};

struct Group {
    qint64 start = 0;
    qint64 end = 0; // the furthest end reached so far
    QStringList texts;
};

// The recogniser's offsets are not bounded, so the tail saturates instead of overflowing.
qint64 addTail(qint64 end)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    return end > largest - clipRules::tail ? largest : end + clipRules::tail;
}

void closeGroup(const Group &group, qint64 duration, QList<SpeechClip> &clips)
{
    if (group.end - group.start < clipRules::shortestGroup)
        return;
    qint64 end = addTail(group.end);
    if (duration >= 1)
        end = std::min(end, duration);
    const qint64 start = std::max<qint64>(group.start - clipRules::leadIn, 0);
    if (start >= end)
        return;
    clips.append({start, end, group.texts.join(QLatin1Char(' '))});
}
} // namespace

QList<SpeechClip> suggestClips(const QList<Transcript::Segment> &segments, qint64 duration)
{
    // QString::trimmed strips exactly QChar::isSpace: category Z, U+0009..U+000D and U+0085.
    std::vector<KeptSegment> kept;
    kept.reserve(static_cast<size_t>(segments.size()));
    for (const auto &segment : segments) {
        const auto [from, to] = segment.offsets;
        if (from < 0 || from >= to)
            continue;
        QString text = segment.text.trimmed();
        if (!text.isEmpty())
            kept.push_back({from, to, std::move(text)});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto &a, const auto &b) { return a.from < b.from; });

    QList<SpeechClip> clips;
    if (!kept.empty()) {
        Group group{kept.front().from, kept.front().to, {kept.front().text}};
        for (auto next = kept.begin() + 1; next != kept.end(); ++next) {
            // All offsets here are 0 or more, so these differences cannot overflow.
            if (next->from - group.end > clipRules::largestSilence || next->to - group.start > clipRules::largestSpan) {
                closeGroup(group, duration, clips);
                group = {next->from, next->to, {next->text}};
            } else {
                group.end = std::max(group.end, next->to);
                group.texts.append(next->text);
            }
        }
        closeGroup(group, duration, clips);
    }

    // Clips arrive in order of start, so a stable sort by length alone lets the earlier start win a tie.
    std::stable_sort(clips.begin(), clips.end(),
                     [](const SpeechClip &a, const SpeechClip &b) { return a.end - a.start > b.end - b.start; });
    if (clips.size() > clipRules::mostClips)
        clips.resize(clipRules::mostClips);
    std::stable_sort(clips.begin(), clips.end(), [](const SpeechClip &a, const SpeechClip &b) { return a.start < b.start; });
    return clips;
}
