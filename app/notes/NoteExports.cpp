#include "notes/NoteExports.h"

#include "notes/JsonText.h"
#include "notes/NoteText.h"
#include "notes/ReviewStore.h"
#include "notes/TimeForms.h"

#include <QFileInfo>
#include <cmath>

namespace ReviewExport {


QByteArray audacityLabels(const ReviewNotes &notes)
{
    QByteArray out;
    for (const ReviewNote &note : notes) {
        const QByteArray time = formatSeconds(note.time).toUtf8();
        out.append(time).append('\t').append(time).append('\t').append(foldOntoOneLine(note.text).toUtf8()).append('\n');
    }
    return out;
}

const QList<FrameRate> &kdenliveFrameRates()
{
    static const QList<FrameRate> rates{
        {QStringLiteral("23.976"), 24000.0 / 1001.0}, {QStringLiteral("24"), 24.0},
        {QStringLiteral("25"), 25.0},                 {QStringLiteral("29.97"), 30000.0 / 1001.0},
        {QStringLiteral("30"), 30.0},                 {QStringLiteral("50"), 50.0},
        {QStringLiteral("59.94"), 60000.0 / 1001.0},  {QStringLiteral("60"), 60.0},
    };
    return rates;
}

QList<Marker> kdenliveMarkerList(const ReviewNotes &notes, double rate)
{
    ReviewNotes sorted = notes;
    sortNotes(sorted);
    QList<Marker> markers;
    for (const ReviewNote &note : sorted) {
        // std::round rounds halves away from zero.
        const double frame = std::round(static_cast<double>(note.time) * rate / 1000.0);
        if (frame > 2147483647.0)
            throw ReviewError{QStringLiteral("A note is outside the editor’s supported frame range.")};
        const auto pos = static_cast<qint64>(frame);
        if (!markers.isEmpty() && markers.last().pos == pos)
            markers.last().comment += QLatin1Char('\n') + note.text;
        else
            markers.append(Marker{pos, note.text, 0, 0});
    }
    return markers;
}

QByteArray kdenliveMarkers(const ReviewNotes &notes, double rate)
{
    const QList<Marker> markers = kdenliveMarkerList(notes, rate);
    // Pretty layout with " : " separators, which no JSON library here writes, so it is laid out by hand.
    QByteArray out("[\n");
    for (qsizetype i = 0; i < markers.size(); ++i) {
        const Marker &m = markers[i];
        out.append("  {\n");
        out.append("    \"comment\" : ").append(jsonString(m.comment, SolidusEscape::Plain)).append(",\n");
        out.append("    \"duration\" : ").append(QByteArray::number(m.duration)).append(",\n");
        out.append("    \"pos\" : ").append(QByteArray::number(m.pos)).append(",\n");
        out.append("    \"type\" : ").append(QByteArray::number(m.type)).append('\n');
        out.append(i + 1 < markers.size() ? "  },\n" : "  }\n");
    }
    out.append(']');
    return out;
}

QString exportBaseName(const QString &mediaPath)
{
    const QString name = QFileInfo(mediaPath).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

} // namespace ReviewExport
