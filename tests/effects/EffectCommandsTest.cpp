#include "effects/EffectCommands.h"
#include "effects/MediaEffect.h"

#include <gtest/gtest.h>

namespace {
const QString demuxers = "mov,matroska,avi,wav,aiff,mp3,flac,ogg,aac,mpegts,asf";
const QString source = "/media/-My Clip's \"cut\".mov";
const QString output = "/tmp/.ostrivan-X/preview.mp4";
const QStringList inputHead{"-hide_banner", "-nostdin",  "-loglevel", "error", "-n", "-protocol_whitelist",
                            "file",         "-format_whitelist", demuxers};
} // namespace

TEST(EffectCatalogue, TitlesDescriptionsAndSelection)
{
    const QStringList titles{"Monochrome", "Warm Shadows", "Sharpen Detail", "Level Dialogue", "Clean Background Noise"};
    const QStringList descriptions{"Black and white with a small lift in contrast.",
                                   "Warmer shadows with restrained highlights.",
                                   "A light luma sharpen for softer footage.",
                                   "Loudness normalization for a new WAV audio file.",
                                   "RNNoise reduces background noise and exports a 48 kHz mono WAV."};
    const QStringList extensions{"mp4", "mp4", "mp4", "wav", "wav"};
    for (int i = 0; i < mediaEffectCount; ++i) {
        const MediaEffect effect = static_cast<MediaEffect>(i);
        EXPECT_EQ(effectTitle(effect), titles[i]);
        EXPECT_EQ(effectDescription(effect), descriptions[i]);
        EXPECT_EQ(effectExtension(effect), extensions[i]);
    }
    EXPECT_EQ(effectForIndex(-1), MediaEffect::monochrome);
    EXPECT_EQ(effectForIndex(0), MediaEffect::monochrome);
    EXPECT_EQ(effectForIndex(2), MediaEffect::sharpen);
    EXPECT_EQ(effectForIndex(4), MediaEffect::dialogueCleanup);
    EXPECT_EQ(effectForIndex(5), MediaEffect::monochrome);
}

TEST(EffectCatalogue, DefaultExportNames)
{
    EXPECT_EQ(defaultEffectExportName("/m/Take 1.mov", MediaEffect::monochrome), "Take 1-monochrome");
    EXPECT_EQ(defaultEffectExportName("/m/a.b.c.mp4", MediaEffect::warmShadows), "a.b.c-warm-shadows");
    EXPECT_EQ(defaultEffectExportName("/m/noext", MediaEffect::sharpen), "noext-sharpen-detail");
    EXPECT_EQ(defaultEffectExportName("/m/x.wav", MediaEffect::dialogueLevel), "x-level-dialogue");
    EXPECT_EQ(defaultEffectExportName("/m/x.wav", MediaEffect::dialogueCleanup), "x-clean-background-noise");
}

TEST(EffectCommands, PicturePreviewHas36ArgumentsAndExport32)
{
    const QStringList tail{"-map", "0:V:0", "-map", "0:a:0?", "-vf",
                           "eq=saturation=0:contrast=1.10,pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-b:v", "8M",
                           "-pix_fmt", "yuv420p", "-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", output};
    const auto preview = effectRenderSteps(MediaEffect::monochrome, source, output, 83456, RenderMode::preview, demuxers);
    ASSERT_EQ(preview.size(), 1);
    EXPECT_EQ(preview[0].program, RenderProgram::ffmpeg);
    EXPECT_EQ(preview[0].arguments, (inputHead + QStringList{"-ss", "83.456", "-i", source, "-t", "8"} + tail));
    EXPECT_EQ(preview[0].arguments.size(), 36 - 2); // without "-allow_sw" "1"
    EXPECT_FALSE(preview[0].arguments.contains("-allow_sw"));

    const auto whole = effectRenderSteps(MediaEffect::monochrome, source, output, 83456, RenderMode::exportWhole, demuxers);
    ASSERT_EQ(whole.size(), 1);
    EXPECT_EQ(whole[0].arguments, (inputHead + QStringList{"-i", source} + tail));
    EXPECT_EQ(whole[0].arguments.size(), 32 - 2);

    const auto warm = effectRenderSteps(MediaEffect::warmShadows, source, output, 0, RenderMode::exportWhole, demuxers);
    EXPECT_EQ(warm[0].arguments[inputHead.size() + 2 + 5],
              "colorbalance=rs=0.05:gs=0.015:bs=-0.055:pl=1,pad=ceil(iw/2)*2:ceil(ih/2)*2");
    const auto sharp = effectRenderSteps(MediaEffect::sharpen, source, output, 0, RenderMode::exportWhole, demuxers);
    EXPECT_EQ(sharp[0].arguments[inputHead.size() + 2 + 5], "unsharp=5:5:0.65:5:5:0,pad=ceil(iw/2)*2:ceil(ih/2)*2");
}

TEST(EffectCommands, StartSecondsText)
{
    auto startOf = [](qint64 ms) {
        const auto steps = effectRenderSteps(MediaEffect::monochrome, source, output, ms, RenderMode::preview, demuxers);
        return steps[0].arguments[inputHead.size() + 1];
    };
    EXPECT_EQ(startOf(5), "0.005");
    EXPECT_EQ(startOf(0), "0.000");
    EXPECT_EQ(startOf(-1), "0.000");
    EXPECT_EQ(startOf(60000), "60.000");
    EXPECT_EQ(startOf(3723042), "3723.042");
}

TEST(EffectCommands, LevelDialogue)
{
    const QString wav = "/tmp/.ostrivan-X/preview.wav";
    const QStringList tail{"-map", "0:a:0", "-vn", "-af", "loudnorm=I=-16:TP=-1.5:LRA=11", "-ar", "48000", "-c:a",
                           "pcm_s16le", wav};
    const auto preview = effectRenderSteps(MediaEffect::dialogueLevel, source, wav, 1500, RenderMode::preview, demuxers);
    ASSERT_EQ(preview.size(), 1);
    EXPECT_EQ(preview[0].arguments, (inputHead + QStringList{"-ss", "1.500", "-i", source, "-t", "8"} + tail));
    const auto whole = effectRenderSteps(MediaEffect::dialogueLevel, source, wav, 1500, RenderMode::exportWhole, demuxers);
    EXPECT_EQ(whole[0].arguments, (inputHead + QStringList{"-i", source} + tail));
}

TEST(EffectCommands, CleanupDecodesDenoisesAndWrapsThroughRawFiles)
{
    const QString wav = "/tmp/.ostrivan-X/preview.wav";
    const QString original = "/tmp/.ostrivan-X/original.pcm", clean = "/tmp/.ostrivan-X/clean.pcm";
    const auto steps = effectRenderSteps(MediaEffect::dialogueCleanup, source, wav, 2000, RenderMode::preview, demuxers);
    ASSERT_EQ(steps.size(), 3);
    EXPECT_EQ(steps[0], (RenderStep{RenderProgram::ffmpeg,
                                    inputHead + QStringList{"-ss", "2.000", "-i", source, "-t", "8", "-map", "0:a:0", "-vn",
                                                            "-ar", "48000", "-ac", "1", "-f", "s16le", original}}));
    EXPECT_EQ(steps[1], (RenderStep{RenderProgram::denoiser, {original, clean}}));
    const QStringList wrap{"-hide_banner", "-nostdin", "-loglevel", "error", "-n", "-f", "s16le", "-ar", "48000", "-ac",
                           "1", "-i", clean, "-c:a", "pcm_s16le", wav};
    EXPECT_EQ(steps[2], (RenderStep{RenderProgram::ffmpeg, wrap}));
    EXPECT_EQ(wrap.size(), 16);
    const auto whole = effectRenderSteps(MediaEffect::dialogueCleanup, source, wav, 2000, RenderMode::exportWhole, demuxers);
    EXPECT_EQ(whole[0].arguments.size(), 9 + 2 + 10);
    EXPECT_EQ(whole[2], steps[2]);
}
