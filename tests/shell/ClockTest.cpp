#include "shell/AboutText.h"
#include "shell/Clock.h"

#include <gtest/gtest.h>

TEST(FormatClock, MinutesBelowAnHourHoursFromThenOn)
{
    const struct {
        qint64 t;
        const char *text;
    } cases[] = {
        {0, "0:00"},          {999, "0:00"},           {59'999, "0:59"},         {61'500, "1:01"},
        {600'000, "10:00"},   {3'599'999, "59:59"},    {3'600'000, "1:00:00"},   {3'661'000, "1:01:01"},
        {36'061'000, "10:01:01"}, {360'000'000, "100:00:00"}, {-1, "0:00"},     {-999, "0:00"},
        {-5'000, "0:00"},     {std::numeric_limits<qint64>::min(), "0:00"},
        {std::numeric_limits<qint64>::max(), "2562047788015:12:55"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatClock(c.t), QString(c.text)) << c.t;
}

TEST(AboutText, NamesTheVersionOrThree)
{
    const QString tail = " by VideoLAN. Effects use FFmpeg and Xiph RNNoise. Speech analysis uses whisper.cpp and "
                         "Whisper model weights. See the notices included with this build.";
    EXPECT_EQ(aboutText("3.0.24 Vetinari"),
              "Ostrivan development preview. Playback uses LibVLC 3.0.24 Vetinari" + tail);
    EXPECT_EQ(aboutText(nullptr), "Ostrivan development preview. Playback uses LibVLC 3" + tail);
    EXPECT_EQ(aboutText(""), "Ostrivan development preview. Playback uses LibVLC 3" + tail);
}
