#pragma once

#include "notes/ReviewNote.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The note export formats.
namespace ReviewExport {

// Audacity label track: "start<TAB>end<TAB>label\n" per note, the label folded onto one line.
QByteArray audacityLabels(const ReviewNotes &notes);

struct Marker {
    qint64 pos = 0;
    QString comment;
    qint64 type = 0;
    qint64 duration = 0;
};

struct FrameRate {
    QString title;
    double rate;
};
// The rates the reviewer may pick, in menu order; "24" is the default (index 1).
const QList<FrameRate> &kdenliveFrameRates();
inline constexpr int defaultKdenliveRate = 1;

// Markers at `rate`; notes that round to one frame share a marker. Throws ReviewError past the 32-bit frame range.
QList<Marker> kdenliveMarkerList(const ReviewNotes &notes, double rate);
// The markers file: pretty-printed JSON array with sorted keys and "/" unescaped.
QByteArray kdenliveMarkers(const ReviewNotes &notes, double rate);

// "<base>" of a media file name: the name without its last extension.
QString exportBaseName(const QString &mediaPath);

} // namespace ReviewExport
