#pragma once

#include "notes/ReviewNote.h"
#include "speech/SpeechResult.h"

#include <QList>
#include <QWidget>
#include <functional>

class BusySpinner;
class ClipsTableModel;
class NotesTableModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableView;

// The inspector on the right of the window: notes, effects and speech sections with a footer.
// It holds controls and the two lists its tables show; the Viewer wires the controls and decides their states.
class ReviewPanel : public QWidget {
    Q_OBJECT

public:
    explicit ReviewPanel(QWidget *parent = nullptr);
    ~ReviewPanel() override;

    QTabBar *tabs = nullptr;
    QLineEdit *note = nullptr;
    QPushButton *mark = nullptr;
    QPushButton *save = nullptr;
    QPushButton *jump = nullptr;
    QPushButton *edit = nullptr;
    QPushButton *remove = nullptr;
    QComboBox *exportNotes = nullptr;
    QLabel *draft = nullptr;
    QTableView *notesTable = nullptr;
    QComboBox *effect = nullptr;
    QLabel *effectDetails = nullptr;
    QPushButton *previewEffect = nullptr;
    QPushButton *exportEffect = nullptr;
    QPushButton *original = nullptr;
    QComboBox *language = nullptr;
    QPushButton *transcribe = nullptr;
    QPushButton *saveSRT = nullptr;
    QTableView *clipsTable = nullptr;
    QPushButton *previewClip = nullptr;
    QPushButton *exportClip = nullptr;
    QLabel *status = nullptr;
    QPushButton *cancel = nullptr;
    BusySpinner *spinner = nullptr;
    std::function<void()> selectionChanged;
    ReviewNotes notes;
    QList<SpeechClip> clips;
    QList<QWidget *> sections;

    // Shows the section of the selected tab and hides the others.
    void changeTab();
    // Called after `notes` or `clips` was replaced.
    void reloadNotes();
    void reloadClips();
    // Selected row of a table, or -1.
    static int selectedRow(const QTableView *table);
    // The status line: text and tooltip alike.
    void setStatus(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildNotesSection();
    QWidget *buildEffectsSection();
    QWidget *buildSpeechSection();
    QWidget *buildFooter();
    QTableView *makeTable(NotesTableModel *model, const QString &accessibleName);
    QTableView *makeTable(ClipsTableModel *model, const QString &accessibleName);
    void configureTable(QTableView *table, const QString &accessibleName);

    NotesTableModel *notesModel = nullptr;
    ClipsTableModel *clipsModel = nullptr;
};

// Wrapping label of the inspector: 12 px, muted colour, at most `lines` lines.
QLabel *makeWrappingLabel(const QString &text, int lines, QWidget *parent = nullptr);
