#pragma once

#include "notes/ReviewNote.h"

// The n-th list the save loop writes: n notes whose ids, times and texts follow from their index.
inline ReviewNotes saveLoopNotes(int n)
{
    ReviewNotes notes;
    for (int i = 0; i < n; ++i) {
        const QString hex = QStringLiteral("%1").arg(i, 12, 16, QLatin1Char('0')).toUpper();
        notes.append({QUuid::fromString(QStringLiteral("00000000-0000-4000-8000-") + hex), qint64(i) * 1000,
                      QStringLiteral("note %1 / ").arg(i) + QString(i % 50 + 1, QChar(u'é'))});
    }
    return notes;
}
