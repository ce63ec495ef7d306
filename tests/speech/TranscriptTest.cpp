#include "speech/Transcript.h"

#include <gtest/gtest.h>

namespace {
Transcript decodeOrFail(const QByteArray &json)
{
    const TranscriptDecoding decoded = decodeTranscript(json);
    EXPECT_TRUE(decoded.transcript) << decoded.error.toStdString();
    EXPECT_TRUE(decoded.error.isEmpty());
    return decoded.transcript.value_or(Transcript{});
}

// The description of a failed decoding; empty (and a test failure) when it decoded.
QString failureOf(const QByteArray &json)
{
    const TranscriptDecoding decoded = decodeTranscript(json);
    EXPECT_FALSE(decoded.transcript) << "decoded: " << json.left(200).toStdString();
    EXPECT_FALSE(decoded.error.isEmpty());
    return decoded.error;
}

QByteArray withSegment(const QByteArray &segment)
{
    return R"({"transcription":[{"offsets":{"from":0,"to":10},"text":"ok"},)" + segment + "]}";
}
} // namespace

TEST(Transcript, DecodesTheRecognisersOutputIgnoringEverythingElse)
{
    // The shape whisper-cli writes, with keys in a different order and extra keys at every level.
    const QByteArray json = R"({
      "systeminfo": "AVX = 1",
      "model": {"type": "tiny", "multilingual": true, "vocab": 51865},
      "result": {"language": "en"},
      "transcription": [
        {"text": " And so my fellow Americans,", "timestamps": {"from": "00:00:00,000", "to": "00:00:07,600"},
         "offsets": {"to": 7600, "extra": [1, {"deep": null}], "from": 0}, "tokens": [{"id": 50364, "p": 0.9}]},
        {"offsets": {"from": 7600, "to": 10600}, "text": " ask not what your country can do for you.\n", "speaker": 2}
      ],
      "params": {"model": "ggml-tiny.bin", "translate": false}
    })";
    const Transcript transcript = decodeOrFail(json);
    ASSERT_EQ(transcript.transcription.size(), 2);
    EXPECT_EQ(transcript.transcription[0].offsets, (Transcript::Segment::Offset{0, 7600}));
    EXPECT_EQ(transcript.transcription[0].text, " And so my fellow Americans,"); // untrimmed
    EXPECT_EQ(transcript.transcription[1].offsets, (Transcript::Segment::Offset{7600, 10600}));
    EXPECT_EQ(transcript.transcription[1].text, " ask not what your country can do for you.\n");
    EXPECT_TRUE(decodeOrFail(R"({"transcription":[]})").transcription.isEmpty());
}

TEST(Transcript, KeepsOffsetsExactlyAcrossTheWhole64BitRange)
{
    const Transcript transcript = decodeOrFail(withSegment(
        R"({"offsets":{"from":-9223372036854775808,"to":9223372036854775807},"text":""},)"
        R"({"offsets":{"from":9007199254740993,"to":-1},"text":"x"},)"
        R"({"offsets":{"from":1.0,"to":2e3},"text":"whole values written as floats"})"));
    ASSERT_EQ(transcript.transcription.size(), 4);
    EXPECT_EQ(transcript.transcription[1].offsets.from, std::numeric_limits<qint64>::min());
    EXPECT_EQ(transcript.transcription[1].offsets.to, std::numeric_limits<qint64>::max());
    EXPECT_EQ(transcript.transcription[2].offsets.from, 9007199254740993); // not rounded through a double
    EXPECT_EQ(transcript.transcription[2].offsets.to, -1);
    EXPECT_EQ(transcript.transcription[3].offsets, (Transcript::Segment::Offset{1, 2000}));
}

TEST(Transcript, EveryRequiredKeyMissingFailsAndSaysWhere)
{
    EXPECT_TRUE(failureOf(R"({"segments":[]})").contains("transcription is missing"));
    EXPECT_TRUE(failureOf(withSegment(R"({"text":"a"})")).contains("transcription[1].offsets is missing"));
    EXPECT_TRUE(failureOf(withSegment(R"({"offsets":{"from":1,"to":2}})")).contains("transcription[1].text is missing"));
    EXPECT_TRUE(failureOf(withSegment(R"({"offsets":{"to":2},"text":"a"})")).contains("offsets.from is missing"));
    EXPECT_TRUE(failureOf(withSegment(R"({"offsets":{"from":1},"text":"a"})")).contains("offsets.to is missing"));
    // Keys are case-sensitive.
    EXPECT_TRUE(failureOf(withSegment(R"({"Offsets":{"from":1,"to":2},"text":"a"})")).contains("offsets is missing"));
}

TEST(Transcript, WrongTypesFail)
{
    EXPECT_TRUE(failureOf(R"([])").contains("the document is not an object"));
    EXPECT_TRUE(failureOf(R"({"transcription":{}})").contains("transcription is not a list"));
    EXPECT_TRUE(failureOf(R"({"transcription":null})").contains("transcription is not a list"));
    EXPECT_TRUE(failureOf(withSegment(R"("segment")")).contains("transcription[1] is not an object"));
    EXPECT_TRUE(failureOf(withSegment(R"({"offsets":[1,2],"text":"a"})")).contains("offsets is not an object"));
    EXPECT_TRUE(failureOf(withSegment(R"({"offsets":{"from":1,"to":2},"text":5})")).contains("text is not a string"));
    EXPECT_TRUE(failureOf(withSegment(R"({"offsets":{"from":1,"to":2},"text":null})")).contains("text is not a string"));
    for (const char *offset : {R"("10")", "true", "null", "1.5", "-0.25", "1e30", "9223372036854775808",
                               "-9223372036854777856", "-1e19", "[1]", "{}"}) {
        const QByteArray segment = R"({"offsets":{"from":)" + QByteArray(offset) + R"(,"to":20},"text":"a"})";
        EXPECT_TRUE(failureOf(withSegment(segment)).contains("offsets.from is not a whole number that fits in 64 bits"))
            << offset;
    }
}

TEST(Transcript, BrokenDocumentsFailWithTheParsersDescription)
{
    for (const QByteArray &json : {QByteArray(), QByteArray("   "), QByteArray("{"), QByteArray("{\"transcription\":["),
                                   QByteArray("{\"transcription\":[]} trailing"), QByteArray("\0\0\0", 3)})
        EXPECT_TRUE(failureOf(json).startsWith("The speech transcript is not valid JSON: ")) << json.toStdString();
}

TEST(Transcript, HostileNestingFailsInsteadOfExhaustingTheStack)
{
    const int depth = 1'000'000;
    EXPECT_FALSE(failureOf(QByteArray(depth, '[') + QByteArray(depth, ']')).isEmpty());
    // Deep nesting inside a key that would otherwise be ignored is refused as well.
    const QByteArray deep = R"({"model":)" + QByteArray(depth, '[') + QByteArray(depth, ']') + R"(,"transcription":[]})";
    EXPECT_TRUE(failureOf(deep).contains("not valid JSON"));
    // Moderate nesting in an ignored key is fine.
    const QByteArray moderate = R"({"model":)" + QByteArray(500, '[') + QByteArray(500, ']') + R"(,"transcription":[]})";
    EXPECT_TRUE(decodeOrFail(moderate).transcription.isEmpty());
}

TEST(Transcript, BytesThatAreNotUtf8BecomeReplacementCharacters)
{
    // A character cut between two tokens (the first two bytes of "न"), a lone continuation byte, and Latin-1.
    const QByteArray json = "{\"transcription\":[{\"offsets\":{\"from\":0,\"to\":1500},\"text\":\" \xe0\xa4 ab\x80 caf\xe9\"}],"
                            "\"junk\":\"\xff\xfe\"}";
    const Transcript transcript = decodeOrFail(json);
    ASSERT_EQ(transcript.transcription.size(), 1);
    // Every bad byte is replaced, and nothing valid around them is lost.
    QString text = transcript.transcription[0].text;
    EXPECT_GE(text.count(QChar(0xFFFD)), 3);
    EXPECT_EQ(text.remove(QChar(0xFFFD)), "  ab caf");
    // Valid multi-byte text is left alone.
    EXPECT_EQ(decodeOrFail(withSegment(R"({"offsets":{"from":1,"to":2},"text":"नमस्ते 🎬"})")).transcription[1].text,
              QString::fromUtf8("नमस्ते 🎬"));
}

TEST(Transcript, A50MegabyteTranscriptDecodes)
{
    QByteArray json = R"({"transcription":[)";
    const QByteArray filler(200, 'w');
    qint64 count = 0;
    while (json.size() < 50 * 1024 * 1024) {
        if (count > 0)
            json += ',';
        json += R"({"offsets":{"from":)" + QByteArray::number(count * 10) + R"(,"to":)" +
                QByteArray::number(count * 10 + 5) + R"(},"text":")" + filler + R"("})";
        ++count;
    }
    json += "]}";
    const Transcript transcript = decodeOrFail(json);
    ASSERT_EQ(transcript.transcription.size(), count);
    EXPECT_EQ(transcript.transcription.last().offsets.from, (count - 1) * 10);
    // One string of 50 MB as well.
    const Transcript oneText = decodeOrFail(withSegment(R"({"offsets":{"from":1,"to":2},"text":")" +
                                                        QByteArray(50 * 1024 * 1024, 'a') + R"("})"));
    EXPECT_EQ(oneText.transcription[1].text.size(), 50 * 1024 * 1024);
}
