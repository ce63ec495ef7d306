#include "speech/Transcript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace {
// Decoding stops at the first fault; the fault names where it lies, e.g. transcription[3].offsets.from.
struct DecodeFault {
    QString where;
    QString problem;
};

QString describe(const DecodeFault &fault)
{
    return QStringLiteral("The speech transcript could not be read: %1 %2.").arg(fault.where, fault.problem);
}

QJsonValue member(const QJsonObject &object, const QString &key, const QString &where)
{
    const auto found = object.constFind(key);
    if (found == object.constEnd())
        throw DecodeFault{where, QStringLiteral("is missing")};
    return found.value();
}

QJsonObject objectAt(const QJsonObject &parent, const QString &key, const QString &where)
{
    const QJsonValue value = member(parent, key, where);
    if (!value.isObject())
        throw DecodeFault{where, QStringLiteral("is not an object")};
    return value.toObject();
}

qint64 wholeNumberAt(const QJsonObject &parent, const QString &key, const QString &where)
{
    const QJsonValue value = member(parent, key, where);
    // Integer literals that fit are kept exactly. Other numbers arrive as doubles and count when their value is
    // whole and within range (1.0, 2e3). toInteger answers its default when it cannot convert, so two
    // different defaults tell that case apart.
    const qint64 whole = value.toInteger(0);
    if (!value.isDouble() || whole != value.toInteger(1))
        throw DecodeFault{where, QStringLiteral("is not a whole number that fits in 64 bits")};
    return whole;
}

Transcript::Segment segmentFrom(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        throw DecodeFault{where, QStringLiteral("is not an object")};
    const QJsonObject object = value.toObject();
    const QString offsetsWhere = where + QStringLiteral(".offsets");
    const QJsonObject offsets = objectAt(object, QStringLiteral("offsets"), offsetsWhere);
    Transcript::Segment segment;
    segment.offsets.from = wholeNumberAt(offsets, QStringLiteral("from"), offsetsWhere + QStringLiteral(".from"));
    segment.offsets.to = wholeNumberAt(offsets, QStringLiteral("to"), offsetsWhere + QStringLiteral(".to"));
    const QString textWhere = where + QStringLiteral(".text");
    const QJsonValue text = member(object, QStringLiteral("text"), textWhere);
    if (!text.isString())
        throw DecodeFault{textWhere, QStringLiteral("is not a string")};
    segment.text = text.toString();
    return segment;
}
} // namespace

TranscriptDecoding decodeTranscript(const QByteArray &json)
{
    // The recogniser can cut a multi-byte character between two tokens; such bytes become U+FFFD rather than
    // costing the reviewer the whole analysis.
    const QByteArray utf8 = json.isValidUtf8() ? json : QString::fromUtf8(json).toUtf8();
    QJsonParseError parseError{};
    // Qt's parser refuses nesting deeper than 1024 levels, so hostile input cannot exhaust the stack.
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("The speech transcript is not valid JSON: %1 at byte %2.")
                                  .arg(parseError.errorString())
                                  .arg(parseError.offset)};
    try {
        if (!document.isObject())
            throw DecodeFault{QStringLiteral("the document"), QStringLiteral("is not an object")};
        const QString listWhere = QStringLiteral("transcription");
        const QJsonValue list = member(document.object(), listWhere, listWhere);
        if (!list.isArray())
            throw DecodeFault{listWhere, QStringLiteral("is not a list")};
        const QJsonArray array = list.toArray();
        Transcript transcript;
        transcript.transcription.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i)
            transcript.transcription.append(segmentFrom(array.at(i), QStringLiteral("transcription[%1]").arg(i)));
        return {std::move(transcript), {}};
    } catch (const DecodeFault &fault) {
        return {std::nullopt, describe(fault)};
    }
}
