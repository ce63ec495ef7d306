#include "inspector/ControlRules.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The controls a state leaves usable, in the inspector's order, plus the two buttons when shown.
QStringList usable(const ControlStates &s)
{
    QStringList names;
    const std::pair<bool, const char *> all[] = {
        {s.openButton, "open"},     {s.mark, "mark"},
        {s.note, "note"},           {s.save, "save"},
        {s.jump, "jump"},           {s.edit, "edit"},
        {s.remove, "remove"},       {s.exportNotes, "exportNotes"},
        {s.effect, "effect"},       {s.previewEffect, "previewEffect"},
        {s.exportEffect, "exportEffect"}, {s.language, "language"},
        {s.transcribe, "transcribe"}, {s.saveSRT, "saveSRT"},
        {s.previewClip, "previewClip"}, {s.exportClip, "exportClip"},
        {!s.originalHidden, "original shown"}, {!s.cancelHidden, "cancel shown"},
    };
    for (const auto &[on, name] : all)
        if (on)
            names << name;
    return names;
}

// A video file open and idle, the playhead known, nothing selected.
ControlInputs openVideo()
{
    ControlInputs in;
    in.mediaOpen = true;
    in.availableTime = 1500;
    in.mediaHasVideo = true;
    in.selectedEffect = 0;
    return in;
}

} // namespace

TEST(ControlRules, Table)
{
    struct Case {
        const char *name;
        ControlInputs in;
        QStringList expected;
    };
    std::vector<Case> cases;

    ControlInputs nothing;
    nothing.selectedEffect = 0;
    cases.push_back({"nothing open", nothing, {"open", "effect", "language"}});

    ControlInputs fresh = openVideo();
    fresh.mediaHasVideo = false; // before the first tick sees a video output
    cases.push_back({"video just opened", fresh, {"open", "mark", "effect", "language", "transcribe"}});

    cases.push_back({"video playing", openVideo(),
                     {"open", "mark", "effect", "previewEffect", "exportEffect", "language", "transcribe"}});

    ControlInputs unknownTime = openVideo();
    unknownTime.availableTime = -1;
    cases.push_back({"playhead unknown", unknownTime,
                     {"open", "effect", "previewEffect", "exportEffect", "language", "transcribe"}});

    ControlInputs atZero = openVideo();
    atZero.availableTime = 0;
    cases.push_back({"playhead at zero", atZero,
                     {"open", "mark", "effect", "previewEffect", "exportEffect", "language", "transcribe"}});

    ControlInputs reviewing = openVideo();
    reviewing.noteCount = 3;
    reviewing.noteSelected = true;
    reviewing.draftOpen = true;
    cases.push_back({"note selected while writing", reviewing,
                     {"open", "mark", "note", "save", "jump", "edit", "remove", "exportNotes", "effect",
                      "previewEffect", "exportEffect", "language", "transcribe"}});

    ControlInputs readOnly = reviewing;
    readOnly.notesWritable = false;
    readOnly.draftOpen = false;
    cases.push_back({"notes unreadable", readOnly,
                     {"open", "jump", "exportNotes", "effect", "previewEffect", "exportEffect", "language",
                      "transcribe"}});

    ControlInputs draftWithoutMedia;
    draftWithoutMedia.draftOpen = true;
    draftWithoutMedia.noteSelected = true;
    draftWithoutMedia.noteCount = 1;
    draftWithoutMedia.selectedEffect = 3;
    cases.push_back({"leftovers without media", draftWithoutMedia, {"open", "effect", "language"}});

    ControlInputs audio = openVideo();
    audio.mediaHasVideo = false;
    audio.speechPresent = true;
    audio.clipSelected = true;
    cases.push_back({"audio, picture effect, clip selected", audio,
                     {"open", "mark", "effect", "language", "transcribe", "saveSRT"}});
    for (int soundEffect : {3, 4}) {
        ControlInputs sound = audio;
        sound.selectedEffect = soundEffect;
        cases.push_back({"audio, sound effect", sound,
                         {"open", "mark", "effect", "previewEffect", "exportEffect", "language", "transcribe",
                          "saveSRT"}});
    }
    ControlInputs noEffect = audio;
    noEffect.selectedEffect = -1;
    cases.push_back({"audio, no effect chosen", noEffect,
                     {"open", "mark", "effect", "language", "transcribe", "saveSRT"}});

    ControlInputs clips = openVideo();
    clips.clipSelected = true;
    clips.speechPresent = true;
    clips.selectedEffect = 2;
    cases.push_back({"video, clip selected", clips,
                     {"open", "mark", "effect", "previewEffect", "exportEffect", "language", "transcribe", "saveSRT",
                      "previewClip", "exportClip"}});

    ControlInputs previewing = clips;
    previewing.previewShown = true;
    cases.push_back({"preview shown", previewing,
                     {"open", "effect", "previewEffect", "exportEffect", "language", "transcribe", "saveSRT",
                      "previewClip", "exportClip", "original shown"}});

    ControlInputs busy = previewing;
    busy.jobRunning = true;
    busy.draftOpen = true;
    busy.noteSelected = true;
    busy.noteCount = 2;
    cases.push_back({"job running over a preview", busy, {"cancel shown"}});

    ControlInputs busyWithoutMedia;
    busyWithoutMedia.jobRunning = true;
    cases.push_back({"job running, nothing open", busyWithoutMedia, {"cancel shown"}});

    for (const Case &c : cases)
        EXPECT_EQ(usable(deriveControlStates(c.in)), c.expected) << c.name;
}

// Across every combination of inputs: a job leaves only "Cancel Job", and without media only the three
// controls that need none can be used.
TEST(ControlRules, JobAndNoMediaHoldEverywhere)
{
    int combinations = 0;
    for (int bits = 0; bits < (1 << 10); ++bits) {
        for (const qint64 time : {qint64(-1), qint64(0), qint64(42)}) {
            for (int effect = -1; effect <= 4; ++effect) {
                ControlInputs in;
                in.mediaOpen = bits & 1;
                in.jobRunning = bits & 2;
                in.previewShown = bits & 4;
                in.notesWritable = bits & 8;
                in.draftOpen = bits & 16;
                in.mediaHasVideo = bits & 32;
                in.speechPresent = bits & 64;
                in.noteCount = (bits & 128) ? 2 : 0;
                in.noteSelected = bits & 256;
                in.clipSelected = bits & 512;
                in.availableTime = time;
                in.selectedEffect = effect;
                const QStringList on = usable(deriveControlStates(in));
                if (in.jobRunning)
                    ASSERT_EQ(on, QStringList{"cancel shown"}) << bits;
                else if (!in.mediaOpen)
                    ASSERT_EQ(on, QStringList({"open", "effect", "language"})
                                      + (in.previewShown ? QStringList{"original shown"} : QStringList{}))
                        << bits;
                else
                    ASSERT_TRUE(on.contains("transcribe") && !on.contains("cancel shown")) << bits;
                ++combinations;
            }
        }
    }
    EXPECT_EQ(combinations, 1024 * 3 * 6);
}
