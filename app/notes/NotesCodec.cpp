#include "notes/NotesCodec.h"

#include "notes/JsonText.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

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

const nlohmann::json &member(const nlohmann::json &object, const char *key)
{
    const auto found = object.find(key);
    if (found == object.end())
        fail(QStringLiteral("a note has no \"%1\".").arg(QLatin1String(key)));
    return *found;
}

// The 8-4-4-4-12 form in either case, nothing around it (QUuid::fromString would also take braces).
bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isUuidText(const std::string &text)
{
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? text[i] != '-' : !isHexDigit(text[i]))
            return false;
    }
    return true;
}

QUuid readId(const nlohmann::json &value)
{
    if (!value.is_string())
        fail(QStringLiteral("\"id\" is not a string."));
    const std::string &text = value.get_ref<const std::string &>();
    if (!isUuidText(text))
        fail(QStringLiteral("\"id\" is not a UUID."));
    return QUuid::fromString(QLatin1String(text.data(), qsizetype(text.size())));
}

qint64 readTime(const nlohmann::json &value)
{
    // The parser keeps integer tokens apart from 1.0 or 1e3 and from integers beyond 64 bits, which a
    // double-based reader would blur.
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > std::uint64_t(std::numeric_limits<qint64>::max()))
            fail(QStringLiteral("\"time\" does not fit 64 bits."));
        return qint64(u);
    }
    if (!value.is_number_integer())
        fail(QStringLiteral("\"time\" is not an integer."));
    return value.get<std::int64_t>();
}

} // namespace

ReviewNotes decodeNotes(const QByteArray &bytes)
{
    // Parsing without exceptions: a discarded value marks any syntax error, invalid UTF-8 included.
    const nlohmann::json document = nlohmann::json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (document.is_discarded())
        fail(QStringLiteral("it is not well-formed JSON."));
    if (!document.is_array())
        fail(QStringLiteral("the top level is not an array."));
    ReviewNotes notes;
    notes.reserve(qsizetype(document.size()));
    for (const nlohmann::json &element : document) {
        if (!element.is_object())
            fail(QStringLiteral("a note is not an object."));
        const nlohmann::json &id = member(element, "id");
        const nlohmann::json &time = member(element, "time");
        const nlohmann::json &text = member(element, "text");
        if (!text.is_string())
            fail(QStringLiteral("\"text\" is not a string."));
        notes.append(ReviewNote{readId(id), readTime(time),
                                QString::fromStdString(text.get_ref<const std::string &>())});
    }
    return notes;
}
