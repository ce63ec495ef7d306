#include "speech/ClipSuggestion.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>
#include <algorithm>
#include <random>

namespace {
using Segment = Transcript::Segment;

// Random transcripts: mostly speech-like runs with gaps around the grouping limits, some long or overlapping
// segments, and blank or invalid ones. Each usable text is a unique word wrapped in white space, so a clip's
// text can be traced back to its segments.
struct RandomTranscript {
    QList<Segment> segments;
    QHash<QString, Segment> byWord; // usable segments by their word
    qint64 duration = 0;
};

RandomTranscript makeTranscript(std::mt19937_64 &random, int serial)
{
    auto pick = [&random](qint64 low, qint64 high) { return std::uniform_int_distribution<qint64>(low, high)(random); };
    const QStringList padding{"", " ", "\n", "\t ", QString(QChar(0xA0)), QString(QChar(0x3000)), QString(QChar(0x85))};
    RandomTranscript made;
    const qint64 count = pick(0, 40);
    qint64 cursor = pick(0, 3000);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 kind = pick(0, 19);
        qint64 from = cursor;
        qint64 to = cursor + pick(100, 5000);
        if (kind == 0)
            to = from + pick(30000, 60000); // longer than a group may span
        else if (kind == 1)
            from = pick(-3000, -1); // negative start
        else if (kind == 2)
            to = from - pick(0, 500); // no positive length
        else if (kind == 3)
            from = std::max<qint64>(0, cursor - pick(0, 8000)); // overlaps or lies inside earlier speech
        const bool blank = pick(0, 9) == 0;
        const QString word = QStringLiteral("w%1x%2").arg(serial).arg(i);
        QString text = padding[pick(0, padding.size() - 1)];
        if (!blank)
            text += word + (pick(0, 4) == 0 ? QStringLiteral("\ninner") : QString());
        text += padding[pick(0, padding.size() - 1)];
        made.segments.append({{from, to}, text});
        if (!blank && from >= 0 && from < to)
            made.byWord.insert(word, made.segments.last());
        cursor = std::max(cursor, to) + pick(0, 2000); // gaps on both sides of the 1350 limit
    }
    std::shuffle(made.segments.begin(), made.segments.end(), random);
    made.duration = pick(0, 2) == 0 ? 0 : pick(1, cursor + 1000);
    return made;
}

// The segments behind a clip's text, recovered from the unique words.
QList<Segment> segmentsOf(const SpeechClip &clip, const RandomTranscript &made)
{
    QList<Segment> found;
    for (const QString &piece : clip.text.split(QLatin1Char(' '))) {
        const QString word = piece.section(QLatin1Char('\n'), 0, 0);
        if (made.byWord.contains(word))
            found.append(made.byWord.value(word));
        else
            ADD_FAILURE() << "clip text piece not from a usable segment: " << piece.toStdString();
    }
    return found;
}
} // namespace

TEST(SuggestClipsProperties, HoldForManyRandomTranscripts)
{
    std::mt19937_64 random(20261210);
    int withClips = 0, capped = 0, cut = 0;
    for (int serial = 0; serial < 3000; ++serial) {
        const RandomTranscript made = makeTranscript(random, serial);
        const QList<SpeechClip> clips = suggestClips(made.segments, made.duration);
        SCOPED_TRACE(serial);
        ASSERT_LE(clips.size(), 8);
        withClips += !clips.isEmpty();
        cut += clips.size() == 8;
        QHash<QString, int> wordsUsed;
        for (qsizetype c = 0; c < clips.size(); ++c) {
            const SpeechClip &clip = clips[c];
            EXPECT_LE(0, clip.start);
            EXPECT_LT(clip.start, clip.end);
            if (c > 0) {
                EXPECT_LE(clips[c - 1].start, clip.start);
            }
            if (made.duration >= 1) {
                EXPECT_LE(clip.end, made.duration);
            }
            EXPECT_EQ(clip.text, clip.text.trimmed());
            EXPECT_FALSE(clip.text.contains(QStringLiteral("  ")));

            // Words appear in the order of their segments' starts, and each in one clip only.
            const QList<Segment> parts = segmentsOf(clip, made);
            ASSERT_FALSE(parts.isEmpty());
            for (qsizetype p = 1; p < parts.size(); ++p)
                EXPECT_LE(parts[p - 1].offsets.from, parts[p].offsets.from);
            for (const QString &piece : clip.text.split(QLatin1Char(' ')))
                EXPECT_EQ(++wordsUsed[piece.section(QLatin1Char('\n'), 0, 0)], 1);

            // The clip is its group widened by the lead-in and tail, and the group is long enough.
            const qint64 groupStart = parts.first().offsets.from;
            qint64 groupEnd = 0;
            for (const auto &part : parts) {
                groupEnd = std::max(groupEnd, part.offsets.to);
                if (&part != &parts.first()) {
                    EXPECT_LE(part.offsets.to - groupStart, clipRules::largestSpan);
                }
            }
            EXPECT_GE(groupEnd - groupStart, clipRules::shortestGroup);
            EXPECT_EQ(clip.start, std::max<qint64>(groupStart - clipRules::leadIn, 0));
            const qint64 widenedEnd = groupEnd + clipRules::tail;
            EXPECT_EQ(clip.end, made.duration >= 1 ? std::min(widenedEnd, made.duration) : widenedEnd);
            capped += made.duration >= 1 && clip.end == made.duration;
        }
    }
    // The generator must reach the interesting cases, or the properties above say little.
    EXPECT_GT(withClips, 2000);
    EXPECT_GT(capped, 50);
    EXPECT_GT(cut, 50);
}

TEST(SuggestClipsProperties, UnusableSegmentsAndArrayOrderChangeNothing)
{
    std::mt19937_64 random(7);
    for (int serial = 0; serial < 1000; ++serial) {
        RandomTranscript made = makeTranscript(random, serial);
        const QList<SpeechClip> clips = suggestClips(made.segments, made.duration);
        SCOPED_TRACE(serial);

        // Blank, negative or empty segments anywhere in time neither join nor split groups.
        QList<Segment> noisy = made.segments;
        for (int extra = 0; extra < 10; ++extra) {
            const qint64 at = std::uniform_int_distribution<qint64>(0, 200000)(random);
            noisy.insert(std::uniform_int_distribution<qsizetype>(0, noisy.size())(random),
                         extra % 3 == 0   ? Segment{{at, at + 40000}, QStringLiteral(" \n ")}
                         : extra % 3 == 1 ? Segment{{-at - 1, at + 500}, QStringLiteral("neg")}
                                          : Segment{{at, at}, QStringLiteral("flat")});
        }
        EXPECT_EQ(suggestClips(noisy, made.duration), clips);

        // Only segments that share a start keep their array order; when none do, any order gives the same clips.
        QSet<qint64> starts;
        for (const auto &segment : made.segments)
            starts.insert(segment.offsets.from);
        if (starts.size() == made.segments.size()) {
            QList<Segment> shuffled = made.segments;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            EXPECT_EQ(suggestClips(shuffled, made.duration), clips);
        }
    }
}
