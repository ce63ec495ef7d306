#include "DenoiseSignals.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace denoisetest;
using testsupport::ProcessResult;

namespace {

const QString kProgram = QStringLiteral(OSTRIVAN_DENOISE_PROGRAM);

ProcessResult denoise(const QStringList &arguments)
{
    return testsupport::runProgram(kProgram, arguments);
}

class DenoiseProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFileInfo(kProgram).isExecutable()) << kProgram.toStdString();
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    // Denoises samples through files and returns the output, checking the run succeeded quietly.
    Samples roundTrip(const Samples &input)
    {
        EXPECT_TRUE(writeSamples(path("in.raw"), input));
        const ProcessResult r = denoise({path("in.raw"), path("out.raw")});
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        return readSamples(path("out.raw"));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DenoiseProgram, OutputIsExactlyAsLongAsTheInput)
{
    // Whole frames, a frame and a bit, less than a frame, odd byte counts, many frames.
    for (const qsizetype bytes : {0, 1, 2, 958, 960, 962, 1000, 1001, 1919, 96000 + 2 * 123 + 1}) {
        SCOPED_TRACE(bytes);
        QByteArray input = toBytes(testSignal(static_cast<std::size_t>(bytes) / 2));
        if (bytes % 2)
            input.append('\x7f');
        ASSERT_TRUE(testsupport::writeAll(path("in.raw"), input));
        const ProcessResult r = denoise({path("in.raw"), path("out.raw")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty());
        ASSERT_TRUE(QFileInfo::exists(path("out.raw")));
        EXPECT_EQ(QFileInfo(path("out.raw")).size(), bytes / 2 * 2);
    }
}

TEST_F(DenoiseProgram, TrailingOddByteIsIgnored)
{
    const Samples input = testSignal(1000);
    const Samples even = roundTrip(input);
    QByteArray odd = toBytes(input);
    odd.append('\x55');
    ASSERT_TRUE(testsupport::writeAll(path("in.raw"), odd));
    ASSERT_EQ(denoise({path("in.raw"), path("out.raw")}).exitCode, 0);
    EXPECT_EQ(readSamples(path("out.raw")), even);
}

TEST_F(DenoiseProgram, ShortFinalFrameIsPaddedWithSilenceOnly)
{
    // The output of a short input equals the start of the output of the same input with silence
    // appended: the padding is silence and never reaches the output.
    const Samples input = testSignal(1000);
    Samples padded = input;
    padded.resize(480 * 4, 0);
    const Samples paddedOutput = roundTrip(padded);
    const Samples output = roundTrip(input);
    ASSERT_EQ(output.size(), input.size());
    ASSERT_EQ(paddedOutput.size(), padded.size());
    EXPECT_TRUE(std::equal(output.begin(), output.end(), paddedOutput.begin()));
}

TEST_F(DenoiseProgram, ExistingOutputIsTruncated)
{
    ASSERT_TRUE(testsupport::writeAll(path("out.raw"), QByteArray(50000, 'x')));
    EXPECT_EQ(roundTrip(testSignal(700)).size(), 700u);
}

TEST_F(DenoiseProgram, OutputStaysAlignedWithTheInput)
{
    // Silence, a second of loud pink noise, silence: RNNoise lets enough of it through to
    // correlate, and a lost or doubled frame of lag moves the peak to +-480.
    const Samples burst = ffmpegSamples(
        {"-f", "lavfi", "-i", "anoisesrc=color=pink:amplitude=0.5:sample_rate=48000:duration=1:seed=7"}, dir.path());
    ASSERT_EQ(burst.size(), 48000u);
    Samples input(48000, 0);
    input.insert(input.end(), burst.begin(), burst.end());
    input.insert(input.end(), 48000 + 300, 0);
    const Samples output = roundTrip(input);
    ASSERT_EQ(output.size(), input.size());
    EXPECT_EQ(peakLag(input, output, 720), 0);
    // Silence well before the burst stays exact silence: no padding or stale data leaks out.
    EXPECT_TRUE(std::all_of(output.begin(), output.begin() + 47000, [](int16_t s) { return s == 0; }));
}

TEST_F(DenoiseProgram, SpeechStaysAlignedAndKeepsItsLevel)
{
    OV_REQUIRE_ASSET(speech, "speech-sample.wav");
    const Samples input = ffmpegSamples({"-i", speech}, dir.path());
    ASSERT_GT(input.size(), 48000u * 5);
    const Samples output = roundTrip(input);
    ASSERT_EQ(output.size(), input.size());
    EXPECT_EQ(peakLag(input, output, 720), 0);
    const double change = levelDb(output) - levelDb(input);
    EXPECT_GT(change, -3.0);
    EXPECT_LT(change, 1.0);
}

TEST_F(DenoiseProgram, RemovesPinkNoise)
{
    const Samples input = ffmpegSamples(
        {"-f", "lavfi", "-i", "anoisesrc=color=pink:amplitude=0.02:sample_rate=48000:duration=10"}, dir.path());
    ASSERT_EQ(input.size(), 480000u);
    const Samples output = roundTrip(input);
    ASSERT_EQ(output.size(), input.size());
    EXPECT_LE(levelDb(output) - levelDb(input), -15.0);
}

TEST_F(DenoiseProgram, WrongArgumentCountsExitTwoAndCreateNothing)
{
    ASSERT_TRUE(writeSamples(path("in.raw"), testSignal(960)));
    const QDir work(dir.path());
    const auto entriesBefore = work.entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QStringList &arguments : {QStringList{}, QStringList{path("in.raw")},
                                         QStringList{path("in.raw"), path("out.raw"), path("extra.raw")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ProcessResult r = denoise(arguments);
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.isEmpty());
        EXPECT_EQ(work.entryList(QDir::Files | QDir::NoDotAndDotDot), entriesBefore);
    }
}

TEST_F(DenoiseProgram, MissingInputIsReportedOnOneLine)
{
    const ProcessResult r = denoise({path("absent.raw"), path("out.raw")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("Cannot read audio: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith('\n'));
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_GT(r.err.size(), qsizetype(sizeof("Cannot read audio: ")));
    EXPECT_FALSE(QFileInfo::exists(path("out.raw")));
}

TEST_F(DenoiseProgram, UncreatableOutputIsReportedOnOneLine)
{
    ASSERT_TRUE(writeSamples(path("in.raw"), testSignal(960)));
    const ProcessResult r = denoise({path("in.raw"), path("no-such-dir/out.raw")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("Cannot write audio: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith('\n'));
    EXPECT_EQ(r.err.count('\n'), 1);
}

TEST_F(DenoiseProgram, OutputThatIsTheInputIsRefusedAndTheInputKept)
{
    const QByteArray input = toBytes(testSignal(2000));
    ASSERT_TRUE(testsupport::writeAll(path("in.raw"), input));
    ASSERT_TRUE(QFile::link(path("in.raw"), path("link.raw")));
    for (const QString &output : {path("in.raw"), path("link.raw"), dir.path() + "/./in.raw"}) {
        SCOPED_TRACE(output.toStdString());
        const ProcessResult r = denoise({path("in.raw"), output});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith("Cannot write audio: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_EQ(testsupport::readAll(path("in.raw")), input);
    }
}

TEST_F(DenoiseProgram, FailedWriteIsAFailure)
{
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "/dev/full is absent";
    // A long input fails while writing; a short one only when the output is closed.
    for (const std::size_t samples : {480u * 20, 500u}) {
        SCOPED_TRACE(samples);
        ASSERT_TRUE(writeSamples(path("in.raw"), testSignal(samples)));
        const ProcessResult r = denoise({path("in.raw"), "/dev/full"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, QByteArray("RNNoise could not write the full audio output.\n"));
    }
}

TEST_F(DenoiseProgram, ReadErrorIsAFailure)
{
    // A directory opens for reading on Linux but every read fails.
    ASSERT_TRUE(QDir(dir.path()).mkdir("input-dir"));
    const ProcessResult r = denoise({path("input-dir"), path("out.raw")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QByteArray("RNNoise could not write the full audio output.\n"));
    EXPECT_EQ(QFileInfo(path("out.raw")).size(), 0);
}
