#include "speech/SpeechCommands.h"

#include "notes/TimeForms.h"

namespace {
// Quiet, no input, local files of the listed container formats only.
QStringList quietInputHead(const QString &demuxers)
{
    return {QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
            QStringLiteral("error"), QStringLiteral("-protocol_whitelist"), QStringLiteral("file"),
            QStringLiteral("-format_whitelist"), demuxers};
}
} // namespace

QString analysisCompletionText(qsizetype clipCount)
{
    return clipCount > 0 ? QStringLiteral("Captions and speech clips ready.")
                         : QStringLiteral("Captions ready. No excerpt candidates.");
}

QStringList extractionArguments(const QString &media, const QString &wav)
{
    QStringList arguments = quietInputHead(QStringLiteral("mov,matroska,avi,wav,aiff,mp3,flac,ogg,aac,mpegts,asf"));
    arguments << QStringLiteral("-i") << media << QStringLiteral("-map") << QStringLiteral("0:a:0")
              << QStringLiteral("-ar") << QStringLiteral("16000") << QStringLiteral("-ac") << QStringLiteral("1")
              << QStringLiteral("-c:a") << QStringLiteral("pcm_s16le") << wav;
    return arguments;
}

QStringList recognitionArguments(const QString &model, const QString &wav, const QString &language,
                                 const QString &outputBase)
{
    return {QStringLiteral("-m"), model,    QStringLiteral("-f"),  wav,
            QStringLiteral("-l"), language, QStringLiteral("-t"),  QStringLiteral("4"),
            QStringLiteral("-oj"), QStringLiteral("-osrt"), QStringLiteral("-of"), outputBase};
}

QStringList clipArguments(qint64 start, qint64 end, const QString &media, const QString &output)
{
    // Audio-only formats are left out: a clip needs a picture.
    QStringList arguments = quietInputHead(QStringLiteral("mov,matroska,avi,mpegts,asf"));
    arguments << QStringLiteral("-ss") << formatSeconds(start) << QStringLiteral("-i") << media << QStringLiteral("-map")
              << QStringLiteral("0:V:0") << QStringLiteral("-map") << QStringLiteral("0:a:0?") << QStringLiteral("-t")
              << formatSeconds(end - start) << QStringLiteral("-vf") << QStringLiteral("pad=ceil(iw/2)*2:ceil(ih/2)*2")
              // The software H.264 encoder stands in for the hardware one, so there is no fallback switch.
              << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-b:v") << QStringLiteral("8M")
              << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-c:a") << QStringLiteral("aac")
              << QStringLiteral("-movflags") << QStringLiteral("+faststart") << output;
    return arguments;
}

QString nameWithoutExtension(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

QString clipExportBaseName(const QString &mediaFileName, qint64 clipStart)
{
    return nameWithoutExtension(mediaFileName) + QStringLiteral("-clip-") + QString::number(clipStart);
}
