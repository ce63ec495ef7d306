#include "ViewerHarness.h"
#include "inspector/ReviewPanel.h"
#include "notes/NotesCodec.h"
#include "shell/Player.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QUuid idA = QUuid::fromString(QStringLiteral("00000000-0000-4000-8000-00000000000A"));
const QUuid idB = QUuid::fromString(QStringLiteral("00000000-0000-4000-8000-00000000000B"));

// A launched Viewer whose store lives in a temporary directory, with a video open and paused.
struct Workflow : ::testing::Test {
    QTemporaryDir temp;
    QString media;
    std::unique_ptr<ViewerHarness> h;

    void SetUp() override
    {
        const GeneratedMedia *generated = generatedMedia();
        ASSERT_NE(generated, nullptr) << "FFmpeg could not make the test media";
        media = temp.path() + "/interview.final.mov";
        ASSERT_TRUE(QFile::copy(generated->video, media));
        h = std::make_unique<ViewerHarness>();
        (*h)->noteStore.root = temp.path() + "/store/Ostrivan/Review Notes";
    }

    Viewer &v() { return h->viewer(); }
    ReviewPanel &panel() { return *v().inspector; }

    // Opens the media and waits until a note can be marked, then pauses so the playhead holds still.
    void openPaused()
    {
        v().openMedia(media);
        ASSERT_TRUE(ViewerHarness::waitFor([&] { return panel().mark->isEnabled(); })) << "media never played";
        libvlc_media_player_set_pause(v().player->handle.get(), 1);
        ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->playerState() == libvlc_Paused; }));
        ViewerHarness::runTicks(2);
    }
    void selectRow(int row) { panel().notesTable->selectRow(row); }
    ReviewNotes stored() { return v().noteStore.load(media); }
    void showNotes(const ReviewNotes &notes)
    {
        panel().notes = notes;
        panel().reloadNotes();
    }
};

} // namespace

TEST_F(Workflow, MarkWriteSaveTrimsSelectsAndWritesThrough)
{
    openPaused();
    const qint64 t = v().availableTime;
    ASSERT_GE(t, 0);
    v().markTime();
    ASSERT_TRUE(v().noteDraft);
    EXPECT_EQ(v().noteDraft->time, t);
    EXPECT_FALSE(v().noteDraft->id);
    EXPECT_TRUE(panel().draft->text().startsWith("Note at 0:0"));

    panel().note->setText("   \n ");
    v().saveNote();
    EXPECT_EQ(panel().status->text(), "Enter a note before saving.");
    EXPECT_TRUE(v().noteDraft) << "the draft stays open";
    EXPECT_FALSE(QFile::exists(v().noteStore.noteFile(media)));

    panel().note->setText("  Colour is off here\n");
    v().saveNote();
    EXPECT_EQ(panel().status->text(), "Note saved on this device.");
    EXPECT_EQ(panel().status->toolTip(), "Note saved on this device.");
    ASSERT_EQ(stored().size(), 1);
    EXPECT_EQ(stored()[0].text, "Colour is off here");
    EXPECT_EQ(stored()[0].time, t);
    EXPECT_EQ(panel().notes, stored());
    EXPECT_FALSE(v().noteDraft);
    EXPECT_TRUE(panel().note->text().isEmpty());
    EXPECT_EQ(panel().save->text(), "Add");
    EXPECT_EQ(panel().draft->text(), "Mark the playhead, then write a note.");
    EXPECT_EQ(ReviewPanel::selectedRow(panel().notesTable), 0);
}

TEST_F(Workflow, SameTimeGoesLastEditingKeepsPlaceAndMarkingWhileEditingMakesANewNote)
{
    openPaused();
    const qint64 t = v().availableTime;
    showNotes({{idA, t, "first"}, {idB, t, "second"}, {QUuid::createUuid(), t + 5000, "later"}});

    v().markTime();
    panel().note->setText("third");
    v().saveNote();
    ASSERT_EQ(panel().notes.size(), 4);
    EXPECT_EQ(panel().notes[2].text, "third");
    EXPECT_EQ(ReviewPanel::selectedRow(panel().notesTable), 2);

    // Edit "first", then mark: the draft becomes a new note with the text kept; "first" stays as it was.
    selectRow(0);
    v().editNote();
    EXPECT_EQ(panel().save->text(), "Save");
    EXPECT_EQ(panel().note->text(), "first");
    EXPECT_TRUE(panel().draft->text().startsWith("Editing note at "));
    v().markTime();
    EXPECT_FALSE(v().noteDraft->id);
    EXPECT_EQ(panel().note->text(), "first");
    panel().note->setText("first, again");
    v().saveNote();
    ASSERT_EQ(stored().size(), 5);
    EXPECT_EQ(stored()[0].text, "first");
    EXPECT_EQ(stored()[0].id, idA);

    // Editing changes the text only, never the time or place.
    selectRow(4);
    v().editNote();
    panel().note->setText("later, edited");
    v().saveNote();
    EXPECT_EQ(stored()[4].text, "later, edited");
    EXPECT_EQ(stored()[4].time, t + 5000);
}

TEST_F(Workflow, DuplicateIdsAndDeleting)
{
    openPaused();
    const qint64 t = v().availableTime;
    showNotes({{idA, t, "dup one"}, {idA, t + 10, "dup two"}, {idB, t + 20, "other"}});

    // Editing the second duplicate changes the first in list order.
    selectRow(1);
    v().editNote();
    panel().note->setText("edited");
    v().saveNote();
    EXPECT_EQ(stored()[0].text, "edited");
    EXPECT_EQ(stored()[1].text, "dup two");

    // Cancel keeps everything; the alert names the note.
    h->answerAlert({1, -1});
    selectRow(2);
    v().deleteNote();
    ASSERT_FALSE(h->asked().alerts.isEmpty());
    EXPECT_EQ(h->asked().alerts.last().message, "Delete this review note?");
    EXPECT_EQ(h->asked().alerts.last().informative, "other");
    EXPECT_EQ(h->asked().alerts.last().buttons, (QStringList{"Delete", "Cancel"}));
    EXPECT_EQ(stored().size(), 3);

    // Deleting another note leaves the open draft alone; deleting the edited one closes it.
    h->answerAlert({0, -1});
    selectRow(0);
    v().editNote();
    panel().note->setText("half-written");
    selectRow(2);
    v().deleteNote();
    EXPECT_EQ(panel().status->text(), "Note deleted.");
    EXPECT_EQ(panel().note->text(), "half-written");
    ASSERT_TRUE(v().noteDraft);
    selectRow(0);
    v().deleteNote(); // both notes with idA go
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(panel().notes.isEmpty());
    EXPECT_FALSE(v().noteDraft);
    EXPECT_TRUE(panel().note->text().isEmpty());
}

TEST_F(Workflow, StoreFailuresKeepTheListAndTheDraft)
{
    openPaused();
    QDir().mkpath(temp.path() + "/store");
    ASSERT_TRUE(testsupport::writeAll(temp.path() + "/store/Ostrivan", "a file where a directory should be"));
    v().markTime();
    panel().note->setText("will not save");
    v().saveNote();
    EXPECT_EQ(panel().status->text(), "Could not save the note. Not a directory");
    EXPECT_TRUE(panel().notes.isEmpty());
    EXPECT_TRUE(v().noteDraft);
    EXPECT_EQ(panel().note->text(), "will not save");

    showNotes({{idA, 1, "kept"}});
    selectRow(0);
    h->answerAlert({0, -1});
    v().deleteNote();
    EXPECT_EQ(panel().status->text(), "Could not delete the note. Not a directory");
    EXPECT_EQ(panel().notes.size(), 1);
}

TEST_F(Workflow, UnreadableNotesAreReadOnlyButJumpable)
{
    v().noteStore.save({}, media); // makes the directory
    const QByteArray garbage = "[{\"id\":\"x\"";
    ASSERT_TRUE(testsupport::writeAll(v().noteStore.noteFile(media), garbage));
    v().openMedia(media);
    EXPECT_FALSE(v().notesWritable);
    EXPECT_EQ(panel().status->text(), "Saved notes could not be read. The existing file was preserved.");
    EXPECT_EQ(panel().draft->text(), "Open a file to start reviewing.");
    ASSERT_TRUE(ViewerHarness::waitFor([&] { return h->playerState() == libvlc_Playing; }));
    ViewerHarness::runTicks(2);
    EXPECT_FALSE(panel().mark->isEnabled());

    // Even called directly, nothing changes the file.
    showNotes({{idA, 2500, "in memory only"}});
    selectRow(0);
    v().noteDraft = NoteDraft{100, std::nullopt};
    panel().note->setText("text");
    v().saveNote();
    v().editNote();
    h->answerAlert({0, -1});
    v().deleteNote();
    EXPECT_TRUE(h->asked().alerts.isEmpty());
    EXPECT_EQ(testsupport::readAll(v().noteStore.noteFile(media)), garbage);

    v().jumpToNote();
    EXPECT_TRUE(ViewerHarness::waitFor(
        [&] { return h->playerState() == libvlc_Paused && std::abs(h->playerTime() - 2500) < 300; }));
}

TEST_F(Workflow, AudacityExportNamesRefusalsAndNoScratchLeft)
{
    openPaused();
    showNotes({{idA, 1500, "a\tb\n\nc"}, {idB, 3723004, "é / 😀"}});
    const QString out = temp.path() + "/exports";
    QDir().mkpath(out);
    h->answerSave(out + "/labels.txt");
    panel().exportNotes->setCurrentIndex(2);
    v().exportNotes();
    EXPECT_EQ(panel().exportNotes->currentIndex(), 0);
    ASSERT_EQ(h->asked().savePanels.size(), 1);
    EXPECT_EQ(h->asked().savePanels[0].proposedName, "interview.final-labels.txt");
    EXPECT_EQ(panel().status->text(), "Audacity labels exported.");
    EXPECT_EQ(testsupport::readAll(out + "/labels.txt"),
              QByteArray("1.500\t1.500\ta b c\n3723.004\t3723.004\t\xC3\xA9 / \xF0\x9F\x98\x80\n"));

    // The name exists now: the export is refused and the file stays as it was.
    const QByteArray before = testsupport::readAll(out + "/labels.txt");
    showNotes({{idA, 1, "different"}});
    panel().exportNotes->setCurrentIndex(2);
    v().exportNotes();
    EXPECT_EQ(panel().status->text(), "Could not export. Choose a new filename and try again.");
    EXPECT_EQ(testsupport::readAll(out + "/labels.txt"), before);
    EXPECT_TRUE(QDir(out).entryList({".ostrivan-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());

    // "Export Notes…" itself does nothing; a cancelled panel says nothing.
    panel().exportNotes->setCurrentIndex(0);
    v().exportNotes();
    EXPECT_EQ(h->asked().savePanels.size(), 2);
    h->answerSave(std::nullopt);
    panel().setStatus("unchanged");
    panel().exportNotes->setCurrentIndex(2);
    v().exportNotes();
    EXPECT_EQ(panel().status->text(), "unchanged");
}

TEST_F(Workflow, KdenliveExportAsksTheRateFirst)
{
    openPaused();
    showNotes({{idA, 10000, "x/y"}});
    const QString out = temp.path() + "/markers.json";
    h->answerSave(out);

    h->answerAlert({1, 0}); // Cancel
    panel().exportNotes->setCurrentIndex(1);
    v().exportNotes();
    ASSERT_EQ(h->asked().alerts.size(), 1);
    const AlertRequest &alert = h->asked().alerts[0];
    EXPECT_EQ(alert.message, "Match the Kdenlive frame rate");
    EXPECT_EQ(alert.informative, "Choose the frame rate used by the destination project.");
    EXPECT_EQ(alert.buttons, (QStringList{"Continue", "Cancel"}));
    EXPECT_EQ(alert.choices, (QStringList{"23.976", "24", "25", "29.97", "30", "50", "59.94", "60"}));
    EXPECT_EQ(alert.selectedChoice, 1);
    EXPECT_TRUE(h->asked().savePanels.isEmpty());

    h->answerAlert({0, 0}); // Continue at 23.976
    panel().exportNotes->setCurrentIndex(1);
    v().exportNotes();
    ASSERT_EQ(h->asked().savePanels.size(), 1);
    EXPECT_EQ(h->asked().savePanels[0].proposedName, "interview.final-markers.json");
    EXPECT_EQ(panel().status->text(), "Kdenlive markers exported.");
    EXPECT_EQ(testsupport::readAll(out), QByteArray("[\n  {\n    \"comment\" : \"x/y\",\n    \"duration\" : 0,\n"
                                                    "    \"pos\" : 240,\n    \"type\" : 0\n  }\n]"));

    // Out of range: the message, and no save panel.
    showNotes({{idA, 40000000000, "far"}}); // only an in-memory list can hold it
    h->answerAlert({0, 7});
    panel().exportNotes->setCurrentIndex(1);
    v().exportNotes();
    EXPECT_EQ(panel().status->text(), "A note is outside the editor’s supported frame range.");
    EXPECT_EQ(h->asked().savePanels.size(), 1);
}
