#pragma once

#include <QtGlobal>

// Everything the review controls' states depend on, read from the Viewer at one moment.
struct ControlInputs {
    bool mediaOpen = false;
    bool jobRunning = false;
    bool previewShown = false;
    qint64 availableTime = -1;
    bool notesWritable = true;
    bool draftOpen = false;
    bool mediaHasVideo = false;
    bool speechPresent = false;
    int noteCount = 0;
    bool noteSelected = false;
    bool clipSelected = false;
    int selectedEffect = -1; // -1: no selection
};

// Enabled state of each review control, and the two buttons that can be hidden.
struct ControlStates {
    bool openButton = false;
    bool mark = false;
    bool note = false;
    bool save = false;
    bool jump = false;
    bool edit = false;
    bool remove = false;
    bool exportNotes = false;
    bool effect = false;
    bool previewEffect = false;
    bool exportEffect = false;
    bool language = false;
    bool transcribe = false;
    bool saveSRT = false;
    bool previewClip = false;
    bool exportClip = false;
    bool originalHidden = true;
    bool cancelHidden = true;

    friend bool operator==(const ControlStates &, const ControlStates &) = default;
};

// The one rule set deciding which controls are usable; pure, so it can be checked without a window.
ControlStates deriveControlStates(const ControlInputs &in);

// The two effects whose output is sound only; they work on any open media.
bool isSoundEffect(int effectIndex);
