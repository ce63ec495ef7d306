// Prints speech figures: suggestClips and transcript decoding on 1,000,000 random segments, and, when given a
// recogniser, a model and a media file, a whole analysis next to the same two programs run directly.
// Usage: ov_speech_bench [FFMPEG WHISPER_CLI MODEL MEDIA]
#include "speech/ClipSuggestion.h"
#include "speech/SpeechAnalysis.h"
#include "speech/SpeechCommands.h"
#include "speech/Transcript.h"
#include "tools/JobErrors.h"
#include "tools/ScratchFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F>
std::vector<double> timeRuns(int runs, F &&work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

QList<Transcript::Segment> randomSegments(int count)
{
    std::mt19937_64 random(42);
    auto pick = [&random](qint64 low, qint64 high) { return std::uniform_int_distribution<qint64>(low, high)(random); };
    QList<Transcript::Segment> segments;
    segments.reserve(count);
    qint64 cursor = 0;
    for (int i = 0; i < count; ++i) {
        const qint64 from = cursor + pick(0, 2000);
        const qint64 to = from + pick(200, 6000);
        segments.append({{from, to}, QStringLiteral(" segment %1 of the dialogue ").arg(i)});
        cursor = to;
    }
    std::shuffle(segments.begin(), segments.end(), random); // the worst case for the sort
    return segments;
}

QByteArray asJson(const QList<Transcript::Segment> &segments)
{
    QByteArray json = R"({"transcription":[)";
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i)
            json += ',';
        json += R"({"offsets":{"from":)" + QByteArray::number(segments[i].offsets.from) + R"(,"to":)" +
                QByteArray::number(segments[i].offsets.to) + R"(},"text":")" + segments[i].text.toUtf8() + "\"}";
    }
    return json + "]}";
}

bool runDirectly(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    const auto segments = randomSegments(1'000'000);
    qsizetype clips = 0;
    const auto suggest = timeRuns(5, [&] { clips = suggestClips(segments, 0).size(); });
    std::printf("suggestClips, 1,000,000 shuffled segments: median %.1f ms, best %.1f ms over 5 runs (%lld clips)\n",
                median(suggest), *std::min_element(suggest.begin(), suggest.end()), static_cast<long long>(clips));
    const QByteArray json = asJson(segments);
    const auto decode = timeRuns(3, [&] { (void)decodeTranscript(json); });
    std::printf("decodeTranscript, the same as %.1f MB of JSON: median %.1f ms over 3 runs\n", json.size() / 1e6,
                median(decode));

    if (args.size() < 4) {
        std::printf("end to end: skipped (give FFMPEG WHISPER_CLI MODEL MEDIA)\n");
        return 0;
    }
    const SpeechEngine engine{args[0], args[1], args[2]};
    const QString media = args[3];
    QString outcome;
    const auto whole = timeRuns(3, [&] {
        RenderJob job;
        try {
            const SpeechResult result = analyze(engine, media, QStringLiteral("auto"), 0, job, systemScratchFiles());
            outcome = QStringLiteral("%1 bytes of SRT, %2 clips").arg(result.srt.size()).arg(result.clips.size());
        } catch (...) {
            const JobFailure failure = describeFailure(std::current_exception());
            outcome = failure.cancelled ? QStringLiteral("cancelled") : failure.message;
        }
    });
    QTemporaryDir scratch;
    const QString wav = QDir(scratch.path()).filePath(speechFiles::audio);
    bool directOk = true;
    const auto direct = timeRuns(3, [&] {
        QFile::remove(wav);
        directOk &= runDirectly(engine.ffmpeg, extractionArguments(media, wav));
        directOk &= runDirectly(engine.whisper, recognitionArguments(engine.model, wav, QStringLiteral("auto"),
                                                                     QDir(scratch.path()).filePath("speech")));
    });
    std::printf("analysis of %s: median %.0f ms (outcome: %s)\n", qPrintable(media), median(whole), qPrintable(outcome));
    std::printf("the two programs run directly: median %.0f ms%s\n", median(direct), directOk ? "" : " (a run failed)");
    std::printf("our overhead: %.0f ms\n", median(whole) - median(direct));
    return 0;
}
