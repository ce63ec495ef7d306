#include "inspector/ReviewPanel.h"
#include "shell/Viewer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

std::optional<ReviewNote> Viewer::selectedNote() const
{
    const int row = ReviewPanel::selectedRow(inspector->notesTable);
    if (row < 0 || row >= inspector->notes.size())
        return std::nullopt;
    return inspector->notes.at(row);
}

void Viewer::clearNoteEditor()
{
    noteDraft.reset();
    inspector->note->clear();
    inspector->save->setText(QStringLiteral("Add"));
    inspector->save->setAccessibleName(QStringLiteral("Add"));
    inspector->draft->setText(currentURL ? QStringLiteral("Mark the playhead, then write a note.")
                                         : QStringLiteral("Open a file to start reviewing."));
}

// Called by openMedia once the player has accepted `url`.
void Viewer::loadNotes(const QString &url)
{
    Q_UNUSED(url);
    // Until the store reads notes files, every opened file starts with an empty, writable list.
    inspector->notes.clear();
    inspector->reloadNotes();
    clearNoteEditor();
    inspector->setStatus(QString());
}

void Viewer::markTime()
{
    if (!player || !inspector->mark->isEnabled())
        return;
    // Marking the playhead arrives with the note workflow.
}

void Viewer::saveNote()
{
    if (!noteDraft || !currentURL || !notesWritable || job)
        return;
    // Saving a draft arrives with the note workflow.
}

void Viewer::editNote()
{
    if (!selectedNote() || !notesWritable)
        return;
    // Editing a saved note arrives with the note workflow.
}

void Viewer::deleteNote()
{
    if (!selectedNote() || !currentURL || !window || !notesWritable)
        return;
    // Deleting a note (with its confirmation) arrives with the note workflow.
}

void Viewer::jumpToNote()
{
    if (!selectedNote())
        return;
    // Jumping to a note's time arrives with the note workflow.
}

void Viewer::exportNotes()
{
    if (!currentURL || job || inspector->notes.isEmpty())
        return;
    // The note exports arrive with the export formats.
}
