#include "notes/NoteExports.h"
#include "notes/NotesCodec.h"
#include "notes/TimeForms.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
const QUuid idA = QUuid::fromString(QStringLiteral("0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3"));
const QUuid idB = QUuid::fromString(QStringLiteral("AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEEE"));
} // namespace

TEST(TimeForms, NoteTimeAndSeconds)
{
    const std::pair<qint64, const char *> noteTimes[] = {
        {0, "0:00.000"}, {1500, "0:01.500"}, {61005, "1:01.005"}, {3723004, "62:03.004"}, {-1, "0:00.000"},
        {59999, "0:59.999"}, {21474836470, "357913:56.470"}};
    for (const auto &[t, text] : noteTimes)
        EXPECT_EQ(formatNoteTime(t), QString::fromLatin1(text)) << t;
    const std::pair<qint64, const char *> seconds[] = {
        {0, "0.000"}, {1500, "1.500"}, {59999, "59.999"}, {3723004, "3723.004"}, {-250, "0.000"}, {61005, "61.005"},
        {7, "0.007"}};
    for (const auto &[t, text] : seconds)
        EXPECT_EQ(formatSeconds(t), QString::fromLatin1(text)) << t;
}

TEST(NotesCodec, WritesCompactBytesWithEscapedSolidus)
{
    const ReviewNotes notes{{idA, 1500, QStringLiteral("a/b \"q\" \\ tab\there\nnext é 😀")}, {idB, 0, QString()}};
    const QByteArray expected =
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1500,"
        "\"text\":\"a\\/b \\\"q\\\" \\\\ tab\\there\\nnext \xC3\xA9 \xF0\x9F\x98\x80\"},"
        "{\"id\":\"AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEEE\",\"time\":0,\"text\":\"\"}]";
    EXPECT_EQ(encodeNotes(notes), expected);
    EXPECT_EQ(encodeNotes({}), QByteArray("[]"));
    // Other control characters use \u escapes.
    EXPECT_EQ(encodeNotes({{idA, 1, QString(QChar(0x01)) + QChar(0x1F)}}),
              QByteArray("[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1,\"text\":\"\\u0001\\u001f\"}]"));
}

TEST(NotesCodec, HostileTextRoundTrips)
{
    QString longLine(10000, QChar(u'x'));
    const QStringList texts{QStringLiteral("quote \" backslash \\ slash / </script>"),
                            QString(QChar(0)) + QStringLiteral("nul and \x7f del"),
                            QStringLiteral("emoji 👩‍👩‍👧 and RTL שלום عليكم"),
                            QStringLiteral("\r\n\t\b\f line breaks"), longLine};
    ReviewNotes notes;
    qint64 t = 0;
    for (const QString &text : texts)
        notes.append({QUuid::createUuid(), t++, text});
    EXPECT_EQ(decodeNotes(encodeNotes(notes)), notes);
}

TEST(NotesCodec, ReadsStrictlyButIgnoresUnknownKeys)
{
    const ReviewNotes decoded = decodeNotes(
        "[ {\"text\":\"b\",\"extra\":{\"deep\":[1,2]},\"time\":20,\"id\":\"aaaaaaaa-bbbb-4ccc-8ddd-eeeeeeeeeeee\"},"
        "{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":-5,\"text\":\"a\"} ]");
    ASSERT_EQ(decoded.size(), 2);
    EXPECT_EQ(decoded[0], (ReviewNote{idB, 20, QStringLiteral("b")}));
    EXPECT_EQ(decoded[1].time, -5); // the range is the store's rule, not the codec's
    EXPECT_TRUE(decodeNotes("[]").isEmpty());
    // The 64-bit limits themselves are read exactly (the store's range check rejects them later).
    const ReviewNotes limits = decodeNotes(
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":9223372036854775807,\"text\":\"\"},"
        "{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":-9223372036854775808,\"text\":\"\"},"
        "{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":9007199254740993,\"text\":\"\"}]");
    ASSERT_EQ(limits.size(), 3);
    EXPECT_EQ(limits[0].time, std::numeric_limits<qint64>::max());
    EXPECT_EQ(limits[1].time, std::numeric_limits<qint64>::min());
    EXPECT_EQ(limits[2].time, 9007199254740993); // 2^53 + 1, not representable as a double

    const char *invalid[] = {
        "",
        "{}",
        "[1]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"text\":\"x\"}]",
        "[{\"time\":1,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A1D3E4A5B9C6D7E8F90A1B2C3\",\"time\":1,\"text\":\"x\"}]",
        "[{\"id\":\"{0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3}\",\"time\":1,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2CG\",\"time\":1,\"text\":\"x\"}]",
        "[{\"id\":7,\"time\":1,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":\"1\",\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1.5,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1e300,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":null,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1,\"text\":3}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1,\"text\":\"x\"}",
        "[] trailing",
        // Integers only, as written: no fractions or exponents even when whole, nothing beyond 64 bits.
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1.0,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1e3,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":9223372036854775808,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":-9223372036854775809,\"text\":\"x\"}]",
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":18446744073709551616,\"text\":\"x\"}]",
        // Text that is not UTF-8.
        "[{\"id\":\"0F8C2B7A-1D3E-4A5B-9C6D-7E8F90A1B2C3\",\"time\":1,\"text\":\"\xff\xfe\"}]",
    };
    for (const char *bytes : invalid)
        EXPECT_THROW(decodeNotes(QByteArray(bytes)), ReviewError) << bytes;
}

TEST(AudacityLabels, OneLinePerNoteWithFoldedWhiteSpace)
{
    const ReviewNotes notes{{idA, 1500, QStringLiteral("  first\tnote\n\nwith  breaks ")},
                            {idB, 3723004, QStringLiteral("é 😀 / \"q\"")},
                            {idA, 3723004, QStringLiteral(" \t\r\n")},
                            {idB, 0, QStringLiteral("nbsp\u00A0line\u2028para\u2029nel\u0085end")}};
    const QByteArray expected = "1.500\t1.500\tfirst note with breaks\n"
                                "3723.004\t3723.004\t\xC3\xA9 \xF0\x9F\x98\x80 / \"q\"\n"
                                "3723.004\t3723.004\t\n"
                                "0.000\t0.000\tnbsp line para nel end\n";
    EXPECT_EQ(ReviewExport::audacityLabels(notes), expected);
    EXPECT_TRUE(ReviewExport::audacityLabels({}).isEmpty());
}

TEST(KdenliveMarkers, FrameRoundingAtEveryRate)
{
    const auto &rates = ReviewExport::kdenliveFrameRates();
    ASSERT_EQ(rates.size(), 8);
    EXPECT_EQ(rates[ReviewExport::defaultKdenliveRate].title, QStringLiteral("24"));
    auto frameAt = [&](const char *title, qint64 ms) {
        for (const auto &r : rates)
            if (r.title == QLatin1String(title))
                return ReviewExport::kdenliveMarkerList({{idA, ms, QStringLiteral("x")}}, r.rate).at(0).pos;
        ADD_FAILURE() << "no rate " << title;
        return qint64(-1);
    };
    EXPECT_EQ(frameAt("24", 1500), 36);
    EXPECT_EQ(frameAt("23.976", 10000), 240); // 239.76
    EXPECT_EQ(frameAt("29.97", 1000), 30);    // 29.97
    EXPECT_EQ(frameAt("25", 20), 1);          // exactly half a frame rounds up
    EXPECT_EQ(frameAt("50", 10), 1);
    EXPECT_EQ(frameAt("60", 25), 2);          // 1.5
    EXPECT_EQ(frameAt("30", 50), 2);          // 1.5
    EXPECT_EQ(frameAt("59.94", 1000), 60);    // 59.94
    EXPECT_EQ(frameAt("24", 0), 0);
    EXPECT_EQ(frameAt("23.976", 3600000), 86314); // 86313.686...
}

TEST(KdenliveMarkers, ExactBytesMergesSharedFramesAndRangeError)
{
    const ReviewNotes notes{{idB, 1010, QStringLiteral("second")},
                            {idA, 1000, QStringLiteral("first")},
                            {idA, 5000, QStringLiteral("a/b\nc \"q\" é")}};
    const QByteArray expected = "[\n"
                                "  {\n"
                                "    \"comment\" : \"first\\nsecond\",\n"
                                "    \"duration\" : 0,\n"
                                "    \"pos\" : 24,\n"
                                "    \"type\" : 0\n"
                                "  },\n"
                                "  {\n"
                                "    \"comment\" : \"a/b\\nc \\\"q\\\" \xC3\xA9\",\n"
                                "    \"duration\" : 0,\n"
                                "    \"pos\" : 120,\n"
                                "    \"type\" : 0\n"
                                "  }\n"
                                "]";
    EXPECT_EQ(ReviewExport::kdenliveMarkers(notes, 24.0), expected);

    // Equal times merge in list order.
    const auto merged = ReviewExport::kdenliveMarkerList(
        {{idA, 700, QStringLiteral("one")}, {idB, 700, QStringLiteral("two")}}, 25.0);
    ASSERT_EQ(merged.size(), 1);
    EXPECT_EQ(merged[0].comment, QStringLiteral("one\ntwo"));

    // 2^31-1 frames is the last one allowed.
    EXPECT_NO_THROW(ReviewExport::kdenliveMarkerList({{idA, 2147483647000, QStringLiteral("x")}}, 1.0));
    try {
        ReviewExport::kdenliveMarkers({{idA, qint64(89478486) * 1000, QStringLiteral("x")}}, 24.0);
        ADD_FAILURE() << "no range error";
    } catch (const ReviewError &e) {
        EXPECT_EQ(e.message, QStringLiteral("A note is outside the editor’s supported frame range."));
    }
}

TEST(NoteExports, BaseNames)
{
    EXPECT_EQ(ReviewExport::exportBaseName(QStringLiteral("/m/interview.final.mov")), QStringLiteral("interview.final"));
    EXPECT_EQ(ReviewExport::exportBaseName(QStringLiteral("/m/README")), QStringLiteral("README"));
    EXPECT_EQ(ReviewExport::exportBaseName(QStringLiteral("/m/.hidden")), QStringLiteral(".hidden"));
}
