#include "speech/ClipSuggestion.h"

#include <gtest/gtest.h>

#include <QSet>
#include <algorithm>
#include <limits>
#include <random>

namespace {
using Segment = Transcript::Segment;

Segment seg(qint64 from, qint64 to, const QString &text = QStringLiteral("words"))
{
    return {{from, to}, text};
}

// (start, end) of each clip, for compact comparisons.
std::vector<std::pair<qint64, qint64>> spans(const QList<SpeechClip> &clips)
{
    std::vector<std::pair<qint64, qint64>> out;
    for (const auto &clip : clips)
        out.emplace_back(clip.start, clip.end);
    return out;
}

using Spans = std::vector<std::pair<qint64, qint64>>;
constexpr qint64 noDuration = 0;
} // namespace

TEST(SuggestClips, NothingUsableGivesNoClips)
{
    EXPECT_TRUE(suggestClips({}, 60000).isEmpty());
    EXPECT_TRUE(suggestClips({seg(0, 5000, ""), seg(0, 5000, " \n\t"), seg(-1, 5000), seg(3000, 3000),
                              seg(9000, 2000), seg(0, 5000, QString(QChar(0x3000)) + QChar(0x85) + QChar(0xA0))},
                             60000)
                    .isEmpty());
}

TEST(SuggestClips, TwoNearSegmentsJoinWithTrimmedTextsAndOneSpace)
{
    const auto clips = suggestClips({seg(0, 1000, "  Hello there. \n"), seg(2000, 3000, " General\u00A0Kenobi ")}, 60000);
    ASSERT_EQ(clips.size(), 1);
    EXPECT_EQ(clips[0], (SpeechClip{0, 3220, QStringLiteral("Hello there. General\u00A0Kenobi")}));
}

TEST(SuggestClips, SilenceOfExactly1350JoinsAnd1351Splits)
{
    EXPECT_EQ(spans(suggestClips({seg(10000, 11500), seg(12850, 14000)}, noDuration)), (Spans{{9850, 14220}}));
    EXPECT_EQ(spans(suggestClips({seg(10000, 11500), seg(12851, 14100)}, noDuration)),
              (Spans{{9850, 11720}, {12701, 14320}}));
}

TEST(SuggestClips, SpanOfExactly38000JoinsAnd38001Splits)
{
    // The group starts at 10000 and reaches 47000; the next segment starts within 1350 of that.
    EXPECT_EQ(spans(suggestClips({seg(10000, 47000), seg(48000, 48000) /* no length: ignored */, seg(47500, 48000)},
                                 noDuration)),
              (Spans{{9850, 48220}}));
    EXPECT_EQ(spans(suggestClips({seg(10000, 47000), seg(47500, 48001)}, noDuration)), (Spans{{9850, 47220}}));
    // 47500..48001 alone is too short to become a clip, so only the first group remains.
}

TEST(SuggestClips, AGroupLongerThanTheSpanFromItsFirstSegmentStillTakesInLaterOnes)
{
    // 0..50000 alone spans more than 38000; a later segment ending within 38000 of the start still joins.
    EXPECT_EQ(spans(suggestClips({seg(0, 50000)}, noDuration)), (Spans{{0, 50220}}));
    const auto clips = suggestClips({seg(0, 50000, "long"), seg(20000, 30000, "nested"), seg(30500, 52000, "over")},
                                    noDuration);
    ASSERT_EQ(clips.size(), 2);
    EXPECT_EQ(clips[0], (SpeechClip{0, 50220, QStringLiteral("long nested")}));
    EXPECT_EQ(clips[1], (SpeechClip{30350, 52220, QStringLiteral("over")}));
}

TEST(SuggestClips, ShortestGroupIs1200)
{
    EXPECT_EQ(spans(suggestClips({seg(5000, 6200)}, noDuration)), (Spans{{4850, 6420}}));
    EXPECT_TRUE(suggestClips({seg(5000, 6199)}, noDuration).isEmpty());
    // The length counts the whole group, not its segments.
    EXPECT_EQ(spans(suggestClips({seg(5000, 5600), seg(5700, 6200)}, noDuration)), (Spans{{4850, 6420}}));
}

TEST(SuggestClips, LeadInAndTailWithAndWithoutAKnownDuration)
{
    EXPECT_EQ(spans(suggestClips({seg(10000, 11500)}, 11600)), (Spans{{9850, 11600}}));
    EXPECT_EQ(spans(suggestClips({seg(10000, 11500)}, 0)), (Spans{{9850, 11720}}));
    EXPECT_EQ(spans(suggestClips({seg(10000, 11500)}, -5)), (Spans{{9850, 11720}}));
    EXPECT_EQ(spans(suggestClips({seg(10000, 11500)}, 1)), Spans{}); // capped at 1 ms: start 9850 is past it
    EXPECT_EQ(spans(suggestClips({seg(100, 2000)}, 60000)), (Spans{{0, 2220}}));
    // A capped end at or before the start drops the group.
    EXPECT_TRUE(suggestClips({seg(6000, 8000)}, 5000).isEmpty());
    EXPECT_TRUE(suggestClips({seg(6000, 8000)}, 5850).isEmpty());
    EXPECT_EQ(spans(suggestClips({seg(6000, 8000)}, 5851)), (Spans{{5850, 5851}}));
}

TEST(SuggestClips, HugeOffsetsDoNotOverflow)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    EXPECT_EQ(spans(suggestClips({seg(largest - 5000, largest)}, noDuration)), (Spans{{largest - 5150, largest}}));
    EXPECT_EQ(spans(suggestClips({seg(0, largest)}, 90000)), (Spans{{0, 90000}}));
    EXPECT_EQ(spans(suggestClips({seg(0, 2000), seg(2000, largest)}, noDuration)), (Spans{{0, 2220}, {1850, largest}}));
}

TEST(SuggestClips, OrderInTheArrayDoesNotMatterOnlyTimes)
{
    const auto clips = suggestClips({seg(2000, 3000, "b"), seg(9000, 11000, "d"), seg(0, 1000, "a"),
                                     seg(8000, 9500, "c")},
                                    noDuration);
    ASSERT_EQ(clips.size(), 2);
    EXPECT_EQ(clips[0], (SpeechClip{0, 3220, "a b"}));
    EXPECT_EQ(clips[1], (SpeechClip{7850, 11220, "c d"}));
    // Equal starts keep their order in the array.
    EXPECT_EQ(suggestClips({seg(0, 1500, "first"), seg(0, 1000, "second")}, noDuration)[0].text, "first second");
    EXPECT_EQ(suggestClips({seg(0, 1000, "second"), seg(0, 1500, "first")}, noDuration)[0].text, "second first");
}

TEST(SuggestClips, BlankAndInvalidSegmentsNeitherJoinNorSplit)
{
    // A blank segment bridging a gap of 2000 does not join the two sides...
    EXPECT_EQ(spans(suggestClips({seg(0, 1500), seg(1500, 3500, "  \n "), seg(3500, 5000)}, noDuration)),
              (Spans{{0, 1720}, {3350, 5220}}));
    // ...nor does a segment with a negative start or no positive length.
    EXPECT_EQ(spans(suggestClips({seg(0, 1500), seg(-10, 3500, "x"), seg(3400, 1600, "x"), seg(3500, 5000)}, noDuration))
                  .size(),
              2u);
    // A blank segment reaching past 38000 does not split a group either.
    const auto clips = suggestClips({seg(0, 1000, "a"), seg(900, 60000, "\t"), seg(1500, 2500, "b")}, noDuration);
    ASSERT_EQ(clips.size(), 1);
    EXPECT_EQ(clips[0], (SpeechClip{0, 2720, "a b"}));
}

TEST(SuggestClips, InnerLineBreaksAndSpacesAreKept)
{
    const auto clips = suggestClips({seg(0, 2000, "\n first line\nsecond  line \r\n")}, noDuration);
    ASSERT_EQ(clips.size(), 1);
    EXPECT_EQ(clips[0].text, "first line\nsecond  line");
    // Zero-width space is not white space: it stays.
    EXPECT_EQ(suggestClips({seg(0, 2000, QString(QChar(0x200B)) + "x")}, noDuration)[0].text.size(), 2);
}

TEST(SuggestClips, KeepsTheEightLongestInOrderOfStart)
{
    // Ten groups 10 s apart, lengths 1200, 1300, ... in a shuffled order of length.
    const int lengthRank[10] = {3, 0, 7, 9, 1, 5, 8, 2, 6, 4};
    QList<Segment> segments;
    for (int i = 0; i < 10; ++i)
        segments.append(seg(10000 * (i + 1), 10000 * (i + 1) + 1200 + 100 * lengthRank[i], QString::number(i)));
    const auto clips = suggestClips(segments, noDuration);
    ASSERT_EQ(clips.size(), 8);
    QStringList kept;
    for (const auto &clip : clips)
        kept << clip.text;
    // Ranks 0 and 1 (groups 1 and 4) are the two shortest.
    EXPECT_EQ(kept, (QStringList{"0", "2", "3", "5", "6", "7", "8", "9"}));
}

TEST(SuggestClips, EqualLengthsAtTheCutDropTheLaterStarts)
{
    QList<Segment> segments;
    for (int i = 0; i < 12; ++i)
        segments.append(seg(10000 * i + 1000, 10000 * i + 3000, QString::number(i)));
    segments.append(seg(200000, 205000, "long")); // the longest is kept whatever its start
    const auto clips = suggestClips(segments, noDuration);
    QStringList kept;
    for (const auto &clip : clips)
        kept << clip.text;
    EXPECT_EQ(kept, (QStringList{"0", "1", "2", "3", "4", "5", "6", "long"}));
    // A lead-in cut short at 0 makes the first clip the shortest, so it is the one that drops out.
    segments[0] = seg(100, 2100, "0");
    QStringList keptAfter;
    for (const auto &clip : suggestClips(segments, noDuration))
        keptAfter << clip.text;
    EXPECT_EQ(keptAfter, (QStringList{"1", "2", "3", "4", "5", "6", "7", "long"}));
}
