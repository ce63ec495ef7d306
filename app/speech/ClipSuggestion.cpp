#include "speech/ClipSuggestion.h"

#include <QStringView>
#include <algorithm>
#include <limits>
#include <vector>

namespace {
struct KeptSegment {
    qint64 from = 0;
    qint64 to = 0;
    QStringView text; // trimmed, into the caller's segment
};

// A group as a run of the ordered kept segments; its text is only built for the clips that survive the cut.
struct Group {
    qint64 start = 0;
    qint64 end = 0; // the furthest end reached so far
    size_t first = 0;
    size_t last = 0;
};

struct Candidate {
    qint64 start = 0;
    qint64 end = 0;
    size_t first = 0;
    size_t last = 0;
};

// The recogniser's offsets are not bounded, so the tail saturates instead of overflowing.
qint64 addTail(qint64 end)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    return end > largest - clipRules::tail ? largest : end + clipRules::tail;
}

void closeGroup(const Group &group, qint64 duration, std::vector<Candidate> &candidates)
{
    if (group.end - group.start < clipRules::shortestGroup)
        return;
    qint64 end = addTail(group.end);
    if (duration >= 1)
        end = std::min(end, duration);
    const qint64 start = std::max<qint64>(group.start - clipRules::leadIn, 0);
    if (start >= end)
        return;
    candidates.push_back({start, end, group.first, group.last});
}

QString joinedText(const std::vector<KeptSegment> &kept, const Candidate &candidate)
{
    QString text;
    for (size_t i = candidate.first; i <= candidate.last; ++i) {
        if (i > candidate.first)
            text += QLatin1Char(' ');
        text += kept[i].text;
    }
    return text;
}
} // namespace

QList<SpeechClip> suggestClips(const QList<Transcript::Segment> &segments, qint64 duration)
{
    // QStringView::trimmed strips exactly QChar::isSpace: category Z, U+0009..U+000D and U+0085.
    std::vector<KeptSegment> kept;
    kept.reserve(static_cast<size_t>(segments.size()));
    for (const auto &segment : segments) {
        const auto [from, to] = segment.offsets;
        if (from < 0 || from >= to)
            continue;
        const QStringView text = QStringView(segment.text).trimmed();
        if (!text.isEmpty())
            kept.push_back({from, to, text});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto &a, const auto &b) { return a.from < b.from; });

    std::vector<Candidate> candidates;
    if (!kept.empty()) {
        Group group{kept.front().from, kept.front().to, 0, 0};
        for (size_t n = 1; n < kept.size(); ++n) {
            const KeptSegment &next = kept[n];
            // All offsets here are 0 or more, so these differences cannot overflow.
            if (next.from - group.end > clipRules::largestSilence || next.to - group.start > clipRules::largestSpan) {
                closeGroup(group, duration, candidates);
                group = {next.from, next.to, n, n};
            } else {
                group.end = std::max(group.end, next.to);
                group.last = n;
            }
        }
        closeGroup(group, duration, candidates);
    }

    // Candidates arrive in order of start, so a stable sort by length alone lets the earlier start win a tie.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.end - a.start > b.end - b.start; });
    if (candidates.size() > static_cast<size_t>(clipRules::mostClips))
        candidates.resize(static_cast<size_t>(clipRules::mostClips));
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.start < b.start; });
    QList<SpeechClip> clips;
    clips.reserve(static_cast<qsizetype>(candidates.size()));
    for (const Candidate &candidate : candidates)
        clips.append({candidate.start, candidate.end, joinedText(kept, candidate)});
    return clips;
}
