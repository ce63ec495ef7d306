#include "inspector/ReviewPanel.h"

#include "inspector/BusySpinner.h"
#include "inspector/ReviewTableModels.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLabel *sectionTitle(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setPixelSize(18);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    return label;
}

QPushButton *button(const QString &title)
{
    auto *b = new QPushButton(title);
    b->setAccessibleName(title);
    return b;
}

QComboBox *popUp(const QStringList &items, const QString &accessibleName)
{
    auto *box = new QComboBox;
    box->addItems(items);
    box->setAccessibleName(accessibleName);
    return box;
}

QVBoxLayout *stack(QWidget *owner)
{
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    return layout;
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets, bool spacer = true)
{
    auto *layout = new QHBoxLayout;
    layout->setSpacing(6);
    for (QWidget *w : widgets)
        layout->addWidget(w, 0, Qt::AlignVCenter);
    if (spacer)
        layout->addStretch(1);
    return layout;
}

} // namespace

QLabel *makeWrappingLabel(const QString &text, int lines, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPixelSize(12);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgbF(0.72f, 0.73f, 0.68f));
    label->setPalette(p);
    label->setMaximumHeight(QFontMetrics(font).lineSpacing() * lines + 2);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

ReviewPanel::ReviewPanel(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Ostrivan review inspector"));
    notesModel = new NotesTableModel(notes, this);
    clipsModel = new ClipsTableModel(clips, this);

    tabs = new QTabBar;
    tabs->addTab(QStringLiteral("Notes"));
    tabs->addTab(QStringLiteral("Effects"));
    tabs->addTab(QStringLiteral("Speech"));
    tabs->setExpanding(true);
    tabs->setDrawBase(false);
    tabs->setAccessibleName(QStringLiteral("Inspector section"));

    auto *container = new QWidget;
    auto *overlap = new QGridLayout(container);
    overlap->setContentsMargins(0, 0, 0, 0);
    sections = {buildNotesSection(), buildEffectsSection(), buildSpeechSection()};
    for (QWidget *section : sections)
        overlap->addWidget(section, 0, 0);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(15, 14, 15, 12);
    root->setSpacing(10);
    root->addWidget(tabs);
    root->addWidget(container, 1);
    root->addWidget(buildFooter());

    connect(tabs, &QTabBar::currentChanged, this, [this](int) { changeTab(); });
    tabs->setCurrentIndex(0);
    changeTab();
    cancel->hide();
    original->hide();
    spinner->hide();
}

ReviewPanel::~ReviewPanel() = default;

QWidget *ReviewPanel::buildNotesSection()
{
    auto *section = new QWidget;
    note = new QLineEdit;
    note->setPlaceholderText(QStringLiteral("Add a note at the marked time"));
    note->setAccessibleName(QStringLiteral("Review note text"));
    QFont noteFont = note->font();
    noteFont.setPixelSize(13);
    note->setFont(noteFont);
    note->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    mark = button(QStringLiteral("Mark Time"));
    save = button(QStringLiteral("Add"));
    save->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    jump = button(QStringLiteral("Jump"));
    edit = button(QStringLiteral("Edit"));
    remove = button(QStringLiteral("Delete"));
    QPalette orange = remove->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        orange.setColor(group, QPalette::ButtonText, QColor(0xFF, 0x9F, 0x0A));
    remove->setPalette(orange);
    exportNotes = popUp({QStringLiteral("Export Notes…"), QStringLiteral("Kdenlive Markers (.json)"),
                         QStringLiteral("Audacity Labels (.txt)")},
                        QStringLiteral("Export Notes…"));
    draft = makeWrappingLabel(QStringLiteral("Open a file to start reviewing."), 3);
    notesTable = makeTable(notesModel, QStringLiteral("Saved review notes"));

    auto *layout = stack(section);
    layout->addWidget(sectionTitle(QStringLiteral("Review notes")));
    layout->addWidget(draft);
    layout->addLayout(row({mark}));
    layout->addLayout(row({note, save}, false));
    layout->addWidget(notesTable, 1);
    layout->addLayout(row({jump, edit, remove}));
    layout->addWidget(exportNotes);
    return section;
}

QWidget *ReviewPanel::buildEffectsSection()
{
    auto *section = new QWidget;
    effect = popUp({QStringLiteral("Monochrome"), QStringLiteral("Warm Shadows"), QStringLiteral("Sharpen Detail"),
                    QStringLiteral("Level Dialogue"), QStringLiteral("Clean Background Noise")},
                   QStringLiteral("Local effect"));
    effectDetails = makeWrappingLabel(QStringLiteral("Black and white with a small lift in contrast."), 3);
    previewEffect = button(QStringLiteral("Preview 8s"));
    exportEffect = button(QStringLiteral("Export Effect…"));

    auto *layout = stack(section);
    layout->addWidget(sectionTitle(QStringLiteral("Local effects")));
    layout->addWidget(makeWrappingLabel(QStringLiteral("Preview on the current clip, then export a separate file."), 3));
    layout->addWidget(effect);
    layout->addWidget(effectDetails);
    layout->addLayout(row({previewEffect, exportEffect}));
    layout->addStretch(1);
    return section;
}

QWidget *ReviewPanel::buildSpeechSection()
{
    auto *section = new QWidget;
    language = popUp({QStringLiteral("Auto-detect"), QStringLiteral("English"), QStringLiteral("Hindi")},
                     QStringLiteral("Speech language"));
    transcribe = button(QStringLiteral("Analyze Speech"));
    saveSRT = button(QStringLiteral("Export SRT…"));
    clipsTable = makeTable(clipsModel, QStringLiteral("Suggested speech clips"));
    previewClip = button(QStringLiteral("Preview Clip"));
    exportClip = button(QStringLiteral("Export Clip…"));

    auto *layout = stack(section);
    layout->addWidget(sectionTitle(QStringLiteral("Captions and clips")));
    layout->addWidget(
        makeWrappingLabel(QStringLiteral("Analyze dialogue to create subtitles and suggest excerpts."), 3));
    layout->addWidget(language);
    layout->addLayout(row({transcribe, saveSRT}));
    layout->addWidget(clipsTable, 1);
    layout->addLayout(row({previewClip, exportClip}));
    return section;
}

QWidget *ReviewPanel::buildFooter()
{
    auto *footer = new QWidget;
    footer->setMinimumHeight(24);
    spinner = new BusySpinner;
    status = makeWrappingLabel(QString(), 2);
    status->setAccessibleName(QStringLiteral("Status"));
    original = button(QStringLiteral("Original"));
    cancel = button(QStringLiteral("Cancel Job"));
    auto *layout = new QHBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(spinner, 0, Qt::AlignVCenter);
    layout->addWidget(status, 1, Qt::AlignVCenter);
    layout->addWidget(original, 0, Qt::AlignVCenter);
    layout->addWidget(cancel, 0, Qt::AlignVCenter);
    return footer;
}

QTableView *ReviewPanel::makeTable(NotesTableModel *model, const QString &accessibleName)
{
    auto *table = new QTableView;
    table->setModel(model);
    configureTable(table, accessibleName);
    return table;
}

QTableView *ReviewPanel::makeTable(ClipsTableModel *model, const QString &accessibleName)
{
    auto *table = new QTableView;
    table->setModel(model);
    configureTable(table, accessibleName);
    return table;
}

void ReviewPanel::configureTable(QTableView *table, const QString &accessibleName)
{
    table->setAccessibleName(accessibleName);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    table->setFrameShape(QFrame::NoFrame);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(29);
    QHeaderView *header = table->horizontalHeader();
    header->setMinimumSectionSize(77);
    header->setSectionResizeMode(TimedRowsModel::TimeColumn, QHeaderView::Fixed);
    header->resizeSection(TimedRowsModel::TimeColumn, 77);
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    table->setMinimumHeight(120);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (selectionChanged)
            selectionChanged();
    });
}

void ReviewPanel::changeTab()
{
    const int chosen = tabs->currentIndex();
    for (int i = 0; i < sections.size(); ++i)
        sections[i]->setVisible(i == chosen);
}

void ReviewPanel::reloadNotes()
{
    notesModel->reload();
}

void ReviewPanel::reloadClips()
{
    clipsModel->reload();
}

int ReviewPanel::selectedRow(const QTableView *table)
{
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ReviewPanel::setStatus(const QString &text)
{
    status->setText(text);
    status->setToolTip(text);
}

void ReviewPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0.128f, 0.137f, 0.118f));
    painter.drawRoundedRect(rect(), 9, 9);
}
