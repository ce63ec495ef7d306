#include "inspector/ReviewTableModels.h"

#include "notes/TimeForms.h"

#include <QColor>
#include <QFont>
#include <QFontDatabase>

namespace {

QFont timeFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    font.setWeight(QFont::Medium);
    return font;
}

QFont textFont()
{
    QFont font;
    font.setPixelSize(12);
    return font;
}

} // namespace

TimedRowsModel::TimedRowsModel(QString timeTitle, QString textTitle, QObject *parent)
    : QAbstractTableModel(parent), timeTitle(std::move(timeTitle)), textTitle(std::move(textTitle))
{
}

int TimedRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant TimedRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == TimeColumn ? timeTitle : textTitle;
}

QVariant TimedRowsModel::data(const QModelIndex &index, int role) const
{
    // A row the list no longer has (asked for between a replacement and the reload) has no cell.
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const bool timeColumn = index.column() == TimeColumn;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return timeColumn ? formatNoteTime(rowTime(index.row())) : rowText(index.row());
    case Qt::FontRole:
        return timeColumn ? timeFont() : textFont();
    case Qt::ForegroundRole:
        if (timeColumn)
            return QColor::fromRgbF(0.82f, 0.86f, 0.67f);
        return {};
    default:
        return {};
    }
}

void TimedRowsModel::reload()
{
    beginResetModel();
    endResetModel();
}

NotesTableModel::NotesTableModel(const ReviewNotes &notes, QObject *parent)
    : TimedRowsModel(QStringLiteral("Time"), QStringLiteral("Note"), parent), notes(notes)
{
}

int NotesTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(notes.size());
}

ClipsTableModel::ClipsTableModel(const QList<SpeechClip> &clips, QObject *parent)
    : TimedRowsModel(QStringLiteral("Starts"), QStringLiteral("Transcript"), parent), clips(clips)
{
}

int ClipsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(clips.size());
}
