#pragma once

#include "notes/ReviewNote.h"
#include "speech/SpeechResult.h"

#include <QAbstractTableModel>

// The rows of the two inspector tables. Each model reads its list where the panel keeps it; the owner
// replaces the list whole and then calls reload().
class TimedRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TimedRowsModel(QString timeTitle, QString textTitle, QObject *parent);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void reload();

    enum Column { TimeColumn = 0, TextColumn = 1 };

protected:
    // Time and text of a row that exists.
    virtual qint64 rowTime(int row) const = 0;
    virtual QString rowText(int row) const = 0;

private:
    QString timeTitle;
    QString textTitle;
};

class NotesTableModel final : public TimedRowsModel {
    Q_OBJECT
public:
    NotesTableModel(const ReviewNotes &notes, QObject *parent);
    int rowCount(const QModelIndex &parent = {}) const override;

protected:
    qint64 rowTime(int row) const override { return notes.at(row).time; }
    QString rowText(int row) const override { return notes.at(row).text; }

private:
    const ReviewNotes &notes;
};

class ClipsTableModel final : public TimedRowsModel {
    Q_OBJECT
public:
    ClipsTableModel(const QList<SpeechClip> &clips, QObject *parent);
    int rowCount(const QModelIndex &parent = {}) const override;

protected:
    qint64 rowTime(int row) const override { return clips.at(row).start; }
    QString rowText(int row) const override { return clips.at(row).text; }

private:
    const QList<SpeechClip> &clips;
};
