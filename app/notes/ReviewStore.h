#pragma once

#include "notes/ReviewNote.h"

#include <QString>

// Keeps each media file's notes in a JSON file of its own under `root`, named by the SHA-256 of the media
// file's canonical path. No index, no cache: every load reads the whole file, every save rewrites it whole.
struct ReviewStore {
    QString root;

    // The notes file of `media` (resolving symbolic links on disk).
    QString noteFile(const QString &media) const;
    // The media's notes, sorted; an absent file is an empty list. Throws ReviewError (invalid content or time)
    // or std::system_error (the file cannot be read).
    ReviewNotes load(const QString &media) const;
    // Writes `notes` (already sorted) atomically as the media's notes file, creating `root` with 0700
    // directories. Throws std::system_error; an earlier file stays as it was.
    void save(const ReviewNotes &notes, const QString &media) const;
};

// The largest time a stored note may have: 10 x 2^31-1 ms.
inline constexpr qint64 maxNoteTime = 21474836470;

// The canonical path's bytes: absolute, symbolic links resolved, no "." or "..", no trailing separator.
QByteArray canonicalMediaPath(const QString &media);
