#include "inspector/BusySpinner.h"
#include "inspector/ReviewPanel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

QString cell(QTableView *table, int row, int column, int role = Qt::DisplayRole)
{
    return table->model()->data(table->model()->index(row, column), role).toString();
}

} // namespace

TEST(ReviewPanel, StartsOnTheNotesSectionWithEmptyTables)
{
    ReviewPanel panel;
    panel.resize(356, 600);
    panel.show();
    EXPECT_EQ(panel.tabs->count(), 3);
    EXPECT_EQ(panel.tabs->tabText(0), QString("Notes"));
    EXPECT_EQ(panel.tabs->tabText(1), QString("Effects"));
    EXPECT_EQ(panel.tabs->tabText(2), QString("Speech"));
    EXPECT_EQ(panel.tabs->currentIndex(), 0);
    ASSERT_EQ(panel.sections.size(), 3);
    EXPECT_TRUE(panel.sections[0]->isVisible());
    EXPECT_FALSE(panel.sections[1]->isVisible());
    EXPECT_FALSE(panel.sections[2]->isVisible());
    EXPECT_EQ(panel.draft->text(), QString("Open a file to start reviewing."));
    EXPECT_EQ(panel.notesTable->model()->rowCount(), 0);
    EXPECT_EQ(panel.clipsTable->model()->rowCount(), 0);
    EXPECT_TRUE(panel.original->isHidden());
    EXPECT_TRUE(panel.cancel->isHidden());
    EXPECT_TRUE(panel.spinner->isHidden());
    EXPECT_EQ(panel.spinner->size(), QSize(16, 16));
    EXPECT_TRUE(panel.status->text().isEmpty());
}

TEST(ReviewPanel, ControlsCarryTheirTextsInOrder)
{
    ReviewPanel panel;
    EXPECT_EQ(panel.mark->text(), QString("Mark Time"));
    EXPECT_EQ(panel.save->text(), QString("Add"));
    EXPECT_EQ(panel.jump->text(), QString("Jump"));
    EXPECT_EQ(panel.edit->text(), QString("Edit"));
    EXPECT_EQ(panel.remove->text(), QString("Delete"));
    EXPECT_EQ(panel.previewEffect->text(), QString("Preview 8s"));
    EXPECT_EQ(panel.exportEffect->text(), QString("Export Effect…"));
    EXPECT_EQ(panel.original->text(), QString("Original"));
    EXPECT_EQ(panel.transcribe->text(), QString("Analyze Speech"));
    EXPECT_EQ(panel.saveSRT->text(), QString("Export SRT…"));
    EXPECT_EQ(panel.previewClip->text(), QString("Preview Clip"));
    EXPECT_EQ(panel.exportClip->text(), QString("Export Clip…"));
    EXPECT_EQ(panel.cancel->text(), QString("Cancel Job"));
    EXPECT_EQ(panel.note->placeholderText(), QString("Add a note at the marked time"));
    EXPECT_EQ(panel.effectDetails->text(), QString("Black and white with a small lift in contrast."));
    EXPECT_EQ(items(panel.exportNotes),
              QStringList({"Export Notes…", "Kdenlive Markers (.json)", "Audacity Labels (.txt)"}));
    EXPECT_EQ(items(panel.effect), QStringList({"Monochrome", "Warm Shadows", "Sharpen Detail", "Level Dialogue",
                                                "Clean Background Noise"}));
    EXPECT_EQ(items(panel.language), QStringList({"Auto-detect", "English", "Hindi"}));

    EXPECT_EQ(panel.accessibleName(), QString("Ostrivan review inspector"));
    EXPECT_EQ(panel.note->accessibleName(), QString("Review note text"));
    EXPECT_EQ(panel.effect->accessibleName(), QString("Local effect"));
    EXPECT_EQ(panel.language->accessibleName(), QString("Speech language"));
    EXPECT_EQ(panel.notesTable->accessibleName(), QString("Saved review notes"));
    EXPECT_EQ(panel.clipsTable->accessibleName(), QString("Suggested speech clips"));

    // Every control can be named by assistive technology (tables' own corner buttons aside).
    for (QWidget *w : panel.findChildren<QWidget *>()) {
        if (qobject_cast<QTableView *>(w->parentWidget()))
            continue;
        if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w)
            || qobject_cast<QTableView *>(w) || qobject_cast<QTabBar *>(w)) {
            const auto *button = qobject_cast<QAbstractButton *>(w);
            EXPECT_FALSE(w->accessibleName().isEmpty() && (!button || button->text().isEmpty()))
                << w->metaObject()->className();
        }
    }
}

TEST(ReviewPanel, TabsSwitchSectionsInPlace)
{
    ReviewPanel panel;
    panel.resize(356, 600);
    panel.show();
    const QRect notesPlace = panel.sections[0]->geometry();
    panel.tabs->setCurrentIndex(2);
    EXPECT_FALSE(panel.sections[0]->isVisible());
    EXPECT_FALSE(panel.sections[1]->isVisible());
    EXPECT_TRUE(panel.sections[2]->isVisible());
    EXPECT_EQ(panel.sections[2]->geometry(), notesPlace);
    EXPECT_TRUE(panel.status->isVisible()) << "the footer stays";
    // Selecting a tab programmatically and calling changeTab, as other actions do.
    panel.tabs->blockSignals(true);
    panel.tabs->setCurrentIndex(1);
    panel.tabs->blockSignals(false);
    panel.changeTab();
    EXPECT_TRUE(panel.sections[1]->isVisible());
    EXPECT_FALSE(panel.sections[2]->isVisible());
}

TEST(ReviewPanel, TablesShowTimesTextsAndTooltips)
{
    ReviewPanel panel;
    const QString longText = QString("A long remark about the colour grade ").repeated(8);
    panel.notes = {ReviewNote{QUuid::createUuid(), 3'723'004, longText}, ReviewNote{QUuid::createUuid(), -1, "neg"}};
    panel.reloadNotes();
    ASSERT_EQ(panel.notesTable->model()->rowCount(), 2);
    EXPECT_EQ(cell(panel.notesTable, 0, 0), QString("62:03.004"));
    EXPECT_EQ(cell(panel.notesTable, 0, 1), longText);
    EXPECT_EQ(cell(panel.notesTable, 0, 1, Qt::ToolTipRole), longText);
    EXPECT_EQ(cell(panel.notesTable, 1, 0), QString("0:00.000"));
    EXPECT_EQ(panel.notesTable->textElideMode(), Qt::ElideRight);
    EXPECT_EQ(panel.notesTable->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Time"));
    EXPECT_EQ(panel.notesTable->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Note"));

    panel.clips = {SpeechClip{61'005, 65'000, "hello there"}};
    panel.reloadClips();
    EXPECT_EQ(cell(panel.clipsTable, 0, 0), QString("1:01.005"));
    EXPECT_EQ(cell(panel.clipsTable, 0, 1), QString("hello there"));
    EXPECT_EQ(panel.clipsTable->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Starts"));
    EXPECT_EQ(panel.clipsTable->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString("Transcript"));

    // The list shrank but the table was not reloaded yet: rows it no longer has give no cell.
    panel.notes.removeLast();
    EXPECT_FALSE(panel.notesTable->model()->data(panel.notesTable->model()->index(1, 0)).isValid());
    EXPECT_FALSE(panel.notesTable->model()->data(panel.notesTable->model()->index(1, 1)).isValid());
    panel.reloadNotes();
    EXPECT_EQ(panel.notesTable->model()->rowCount(), 1);

    EXPECT_EQ(panel.notesTable->horizontalHeader()->sectionSize(0), 77);
    EXPECT_EQ(panel.notesTable->verticalHeader()->defaultSectionSize(), 29);
    EXPECT_TRUE(panel.notesTable->alternatingRowColors());
}

TEST(ReviewPanel, SelectionInEitherTableRunsTheCallback)
{
    ReviewPanel panel;
    int calls = 0;
    panel.selectionChanged = [&] { ++calls; };
    panel.notes = {ReviewNote{QUuid::createUuid(), 10, "a"}, ReviewNote{QUuid::createUuid(), 20, "b"}};
    panel.reloadNotes();
    panel.clips = {SpeechClip{0, 1000, "x"}};
    panel.reloadClips();

    panel.notesTable->selectRow(1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ReviewPanel::selectedRow(panel.notesTable), 1);
    panel.clipsTable->selectRow(0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ReviewPanel::selectedRow(panel.clipsTable), 0);
    panel.clipsTable->clearSelection();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(ReviewPanel::selectedRow(panel.clipsTable), -1);
}

TEST(ReviewPanel, StatusSetsTextAndTooltip)
{
    ReviewPanel panel;
    panel.setStatus("Note saved on this device.");
    EXPECT_EQ(panel.status->text(), QString("Note saved on this device."));
    EXPECT_EQ(panel.status->toolTip(), QString("Note saved on this device."));
}
