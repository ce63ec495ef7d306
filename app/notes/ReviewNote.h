#pragma once

#include <QList>
#include <QString>
#include <QUuid>
#include <QtGlobal>
#include <algorithm>

// One time-stamped note. `time` is media time in milliseconds.
struct ReviewNote {
    QUuid id;
    qint64 time = 0;
    QString text;

    friend bool operator==(const ReviewNote &, const ReviewNote &) = default;
};

using ReviewNotes = QList<ReviewNote>;

// Ascending time; notes with equal times keep their order.
inline void sortNotes(ReviewNotes &notes)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [](const ReviewNote &a, const ReviewNote &b) { return a.time < b.time; });
}

// The one error case of the notes code and the exports: `message` is exactly what the caller shows.
struct ReviewError {
    QString message;
};
