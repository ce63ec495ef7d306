#include "notes/NotesCodec.h"

#include "notes/JsonText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>

QByteArray encodeNotes(const ReviewNotes &notes)
{
    QByteArray out("[");
    bool first = true;
    for (const ReviewNote &note : notes) {
        if (!first)
            out.append(',');
        first = false;
        out.append("{\"id\":");
        out.append(jsonString(note.id.toString(QUuid::WithoutBraces).toUpper(), SolidusEscape::Escaped));
        out.append(",\"time\":");
        out.append(QByteArray::number(note.time));
        out.append(",\"text\":");
        out.append(jsonString(note.text, SolidusEscape::Escaped));
        out.append('}');
    }
    out.append(']');
    return out;
}

namespace {

[[noreturn]] void fail(const QString &why)
{
    throw ReviewError{QStringLiteral("The notes file is not valid: ") + why};
}

QUuid readId(const QJsonValue &value)
{
    static const QRegularExpression form(QStringLiteral(
        "^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$"));
    if (!value.isString())
        fail(QStringLiteral("\"id\" is not a string."));
    const QString text = value.toString();
    if (!form.match(text).hasMatch())
        fail(QStringLiteral("\"id\" is not a UUID."));
    return QUuid::fromString(text);
}

qint64 readTime(const QJsonValue &value)
{
    if (!value.isDouble())
        fail(QStringLiteral("\"time\" is not a number."));
    // Qt keeps JSON numbers as doubles; every time the store accepts is far below 2^53, so this is exact.
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::trunc(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
        fail(QStringLiteral("\"time\" is not a 64-bit integer."));
    return static_cast<qint64>(d);
}

} // namespace

ReviewNotes decodeNotes(const QByteArray &bytes)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        fail(error.errorString() + QStringLiteral(" at offset ") + QString::number(error.offset) + QLatin1Char('.'));
    if (!document.isArray())
        fail(QStringLiteral("the top level is not an array."));
    ReviewNotes notes;
    const QJsonArray array = document.array();
    notes.reserve(array.size());
    for (const QJsonValue &element : array) {
        if (!element.isObject())
            fail(QStringLiteral("a note is not an object."));
        const QJsonObject object = element.toObject();
        for (const char *key : {"id", "time", "text"}) {
            if (!object.contains(QLatin1String(key)))
                fail(QStringLiteral("a note has no \"%1\".").arg(QLatin1String(key)));
        }
        const QJsonValue text = object.value(QLatin1String("text"));
        if (!text.isString())
            fail(QStringLiteral("\"text\" is not a string."));
        notes.append(ReviewNote{readId(object.value(QLatin1String("id"))),
                                readTime(object.value(QLatin1String("time"))), text.toString()});
    }
    return notes;
}
