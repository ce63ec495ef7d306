#include "speech/SpeechCommands.h"

#include <gtest/gtest.h>

TEST(SpeechCommands, ExtractionTakesTheFirstAudioStreamAs16kMonoPcm)
{
    const QStringList expected{"-hide_banner", "-nostdin", "-loglevel", "error", "-protocol_whitelist", "file",
                               "-format_whitelist", "mov,matroska,avi,wav,aiff,mp3,flac,ogg,aac,mpegts,asf", "-i",
                               "/media/My Film's \"cut\".mov", "-map", "0:a:0", "-ar", "16000", "-ac", "1", "-c:a",
                               "pcm_s16le", "/tmp/.ostrivan-X/speech.wav"};
    const QStringList arguments = extractionArguments("/media/My Film's \"cut\".mov", "/tmp/.ostrivan-X/speech.wav");
    EXPECT_EQ(arguments.size(), 19);
    EXPECT_EQ(arguments, expected);
}

TEST(SpeechCommands, RecognitionWritesJsonAndSrtAtTheOutputBase)
{
    const QStringList expected{"-m", "/e/ggml-tiny.bin", "-f", "/s/speech.wav", "-l", "hi", "-t", "4",
                               "-oj", "-osrt", "-of", "/s/speech"};
    const QStringList arguments = recognitionArguments("/e/ggml-tiny.bin", "/s/speech.wav", "hi", "/s/speech");
    EXPECT_EQ(arguments.size(), 12);
    EXPECT_EQ(arguments, expected);
}

TEST(SpeechCommands, ClipSeeksOnTheInputAndLimitsTheOutput)
{
    const QStringList expected{"-hide_banner", "-nostdin", "-loglevel", "error", "-protocol_whitelist", "file",
                               "-format_whitelist", "mov,matroska,avi,mpegts,asf", "-ss", "61.234", "-i",
                               "/m/interview.mov", "-map", "0:V:0", "-map", "0:a:0?", "-t", "4.246", "-vf",
                               "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-b:v", "8M", "-pix_fmt", "yuv420p",
                               "-c:a", "aac", "-movflags", "+faststart", "/t/.ostrivan-Y/preview.mp4"};
    EXPECT_EQ(clipArguments(61234, 65480, "/m/interview.mov", "/t/.ostrivan-Y/preview.mp4"), expected);
    EXPECT_FALSE(expected.contains("-allow_sw"));
    EXPECT_FALSE(expected.contains("-y"));
}

TEST(SpeechCommands, ClipTimesAsSecondsWithThreeDecimals)
{
    auto seekAndLength = [](qint64 start, qint64 end) {
        const QStringList arguments = clipArguments(start, end, "/m", "/o");
        return std::pair{arguments[9], arguments[17]};
    };
    EXPECT_EQ(seekAndLength(0, 500), (std::pair<QString, QString>{"0.000", "0.500"}));
    EXPECT_EQ(seekAndLength(999, 1000), (std::pair<QString, QString>{"0.999", "0.001"}));
    EXPECT_EQ(seekAndLength(3600000, 3661001), (std::pair<QString, QString>{"3600.000", "61.001"}));
    EXPECT_EQ(seekAndLength(-20, -10), (std::pair<QString, QString>{"0.000", "0.010"}));
    EXPECT_EQ(seekAndLength(10, 5), (std::pair<QString, QString>{"0.010", "0.000"}));
}

TEST(SpeechCommands, FileNamesAndTexts)
{
    EXPECT_EQ(nameWithoutExtension("movie.final.mkv"), "movie.final");
    EXPECT_EQ(nameWithoutExtension("interview"), "interview");
    EXPECT_EQ(nameWithoutExtension(".hidden"), ".hidden");
    EXPECT_EQ(nameWithoutExtension("my talk.MOV"), "my talk");
    EXPECT_EQ(clipExportBaseName("interview.mov", 61234), "interview-clip-61234");
    EXPECT_EQ(clipExportBaseName("movie.final.mkv", 0), "movie.final-clip-0");
    EXPECT_EQ(analysisCompletionText(0), "Captions ready. No excerpt candidates.");
    EXPECT_EQ(analysisCompletionText(1), "Captions and speech clips ready.");
    EXPECT_EQ(analysisCompletionText(8), "Captions and speech clips ready.");
}
