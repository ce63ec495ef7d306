#include "inspector/ControlRules.h"
#include "inspector/ReviewPanel.h"
#include "shell/Viewer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

ControlInputs Viewer::controlInputs() const
{
    ControlInputs in;
    in.mediaOpen = currentURL.has_value();
    in.jobRunning = job != nullptr;
    in.previewShown = preview.has_value();
    in.availableTime = availableTime;
    in.notesWritable = notesWritable;
    in.draftOpen = noteDraft.has_value();
    in.mediaHasVideo = mediaHasVideo;
    in.speechPresent = speech.has_value();
    in.noteCount = int(inspector->notes.size());
    in.noteSelected = selectedNote().has_value();
    in.clipSelected = selectedClip().has_value();
    in.selectedEffect = inspector->effect->currentIndex();
    return in;
}

void Viewer::refreshControls()
{
    const ControlStates s = deriveControlStates(controlInputs());
    ReviewPanel *p = inspector;
    openButton->setEnabled(s.openButton);
    p->mark->setEnabled(s.mark);
    p->note->setEnabled(s.note);
    p->save->setEnabled(s.save);
    p->jump->setEnabled(s.jump);
    p->edit->setEnabled(s.edit);
    p->remove->setEnabled(s.remove);
    p->exportNotes->setEnabled(s.exportNotes);
    p->effect->setEnabled(s.effect);
    p->previewEffect->setEnabled(s.previewEffect);
    p->exportEffect->setEnabled(s.exportEffect);
    p->language->setEnabled(s.language);
    p->transcribe->setEnabled(s.transcribe);
    p->saveSRT->setEnabled(s.saveSRT);
    p->previewClip->setEnabled(s.previewClip);
    p->exportClip->setEnabled(s.exportClip);
    p->original->setHidden(s.originalHidden);
    p->cancel->setHidden(s.cancelHidden);
}

std::optional<SpeechClip> Viewer::selectedClip() const
{
    const int row = ReviewPanel::selectedRow(inspector->clipsTable);
    if (row < 0 || row >= inspector->clips.size())
        return std::nullopt;
    return inspector->clips.at(row);
}
