#include "inspector/ReviewPanel.h"
#include "notes/NoteText.h"
#include "notes/TimeForms.h"
#include "shell/Player.h"
#include "shell/Viewer.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <exception>
#include <system_error>

namespace {

QString describe(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const ReviewError &e) {
        return e.message;
    } catch (const std::system_error &e) {
        return QString::fromLocal8Bit(e.code().message().c_str());
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void setSaveTitle(ReviewPanel &panel, const QString &title)
{
    panel.save->setText(title);
    panel.save->setAccessibleName(title);
}

} // namespace

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
    setSaveTitle(*inspector, QStringLiteral("Add"));
    inspector->draft->setText(currentURL ? QStringLiteral("Mark the playhead, then write a note.")
                                         : QStringLiteral("Open a file to start reviewing."));
}

// Called by openMedia once the player has accepted `url`.
void Viewer::loadNotes(const QString &url)
{
    try {
        inspector->notes = noteStore.load(url);
    } catch (...) {
        // The unreadable file is never written again while this media stays open.
        notesWritable = false;
        inspector->setStatus(QStringLiteral("Saved notes could not be read. The existing file was preserved."));
        return;
    }
    inspector->reloadNotes();
    clearNoteEditor();
    inspector->setStatus(QString());
}

void Viewer::markTime()
{
    // The menu item answers even while the button is disabled, so its state is checked here.
    if (!player || !inspector->mark->isEnabled())
        return;
    libvlc_media_player_t *handle = player->handle.get();
    if (libvlc_media_player_is_playing(handle))
        libvlc_media_player_set_pause(handle, 1);
    noteDraft = NoteDraft{availableTime, std::nullopt};
    setSaveTitle(*inspector, QStringLiteral("Add"));
    inspector->draft->setText(QStringLiteral("Note at ") + formatNoteTime(availableTime));
    inspector->tabs->setCurrentIndex(0);
    inspector->changeTab();
    refreshControls();
    inspector->note->setFocus();
}

void Viewer::editNote()
{
    const auto note = selectedNote();
    if (!note || !notesWritable)
        return;
    noteDraft = NoteDraft{note->time, note->id};
    setSaveTitle(*inspector, QStringLiteral("Save"));
    inspector->draft->setText(QStringLiteral("Editing note at ") + formatNoteTime(note->time));
    inspector->note->setText(note->text);
    refreshControls();
    if (window)
        inspector->note->setFocus();
}

void Viewer::saveNote()
{
    if (!noteDraft || !currentURL || !notesWritable || job)
        return;
    const QString text = trimNoteText(inspector->note->text());
    if (text.isEmpty()) {
        inspector->setStatus(QStringLiteral("Enter a note before saving."));
        return;
    }
    ReviewNotes working = inspector->notes;
    QUuid target;
    auto existing = working.end();
    if (noteDraft->id)
        existing = std::find_if(working.begin(), working.end(),
                                [&](const ReviewNote &n) { return n.id == *noteDraft->id; });
    if (existing != working.end()) {
        existing->text = text;
        target = existing->id;
    } else {
        // Also a draft whose note was deleted meanwhile: it comes back as a new note.
        target = QUuid::createUuid();
        working.append(ReviewNote{target, noteDraft->time, text});
    }
    sortNotes(working);
    try {
        noteStore.save(working, *currentURL);
    } catch (...) {
        inspector->setStatus(QStringLiteral("Could not save the note. ") + describe(std::current_exception()));
        return;
    }
    inspector->notes = working;
    inspector->reloadNotes();
    clearNoteEditor();
    const auto row = std::find_if(working.cbegin(), working.cend(), [&](const ReviewNote &n) { return n.id == target; })
                     - working.cbegin();
    inspector->notesTable->selectRow(int(row));
    inspector->notesTable->scrollTo(inspector->notesTable->model()->index(int(row), 0));
    inspector->setStatus(QStringLiteral("Note saved on this device."));
    refreshControls();
}

void Viewer::deleteNote()
{
    const auto note = selectedNote();
    if (!note || !currentURL || !window || !notesWritable)
        return;
    AlertRequest alert;
    alert.message = QStringLiteral("Delete this review note?");
    alert.informative = note->text;
    alert.buttons = {QStringLiteral("Delete"), QStringLiteral("Cancel")};
    QPointer<Viewer> self(this);
    const QString media = *currentURL;
    const QUuid id = note->id;
    dialogs().showAlert(window.get(), alert, [self, media, id](AlertAnswer answer) {
        // The reviewer may have opened another file while the alert was up.
        if (answer.button != 0 || !self || self->currentURL != media)
            return;
        ReviewNotes remaining = self->inspector->notes;
        remaining.removeIf([&](const ReviewNote &n) { return n.id == id; });
        try {
            self->noteStore.save(remaining, media);
        } catch (...) {
            self->inspector->setStatus(QStringLiteral("Could not delete the note. ") + describe(std::current_exception()));
            return;
        }
        self->inspector->notes = remaining;
        self->inspector->reloadNotes();
        if (self->noteDraft && self->noteDraft->id == id)
            self->clearNoteEditor();
        self->inspector->setStatus(QStringLiteral("Note deleted."));
        self->refreshControls();
    });
}

void Viewer::jumpToNote()
{
    const auto note = selectedNote();
    if (!note)
        return;
    seekToTime(note->time);
}
