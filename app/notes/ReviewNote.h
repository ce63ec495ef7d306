#pragma once

#include <QList>
#include <QString>
#include <QUuid>
#include <QtGlobal>

// One time-stamped note. `time` is media time in milliseconds.
struct ReviewNote {
    QUuid id;
    qint64 time = 0;
    QString text;

    friend bool operator==(const ReviewNote &, const ReviewNote &) = default;
};

using ReviewNotes = QList<ReviewNote>;

// The one error case of the notes code and the exports: `message` is exactly what the caller shows.
struct ReviewError {
    QString message;
};
