#include "inspector/ControlRules.h"

bool isSoundEffect(int effectIndex)
{
    return effectIndex == 3 || effectIndex == 4;
}

ControlStates deriveControlStates(const ControlInputs &in)
{
    const bool idle = in.mediaOpen && !in.jobRunning;
    ControlStates s;
    s.openButton = !in.jobRunning;
    s.mark = idle && !in.previewShown && in.availableTime >= 0 && in.notesWritable;
    s.note = idle && in.draftOpen;
    s.save = s.note;
    s.jump = idle && in.noteSelected;
    s.edit = idle && in.notesWritable && in.noteSelected;
    s.remove = s.edit;
    s.exportNotes = idle && in.noteCount > 0;
    s.effect = !in.jobRunning;
    s.previewEffect = idle && (isSoundEffect(in.selectedEffect) || in.mediaHasVideo);
    s.exportEffect = s.previewEffect;
    s.language = !in.jobRunning;
    s.transcribe = idle;
    s.saveSRT = idle && in.speechPresent;
    s.previewClip = idle && in.clipSelected && in.mediaHasVideo;
    s.exportClip = s.previewClip;
    s.originalHidden = !in.previewShown || in.jobRunning;
    s.cancelHidden = !in.jobRunning;
    return s;
}
