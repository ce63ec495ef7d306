#include "notes/NoteText.h"

#include <QList>

namespace {
QList<uint> codePoints(const QString &text)
{
    return text.toUcs4();
}
} // namespace

QString trimNoteText(const QString &text)
{
    const QList<uint> cps = codePoints(text);
    qsizetype begin = 0;
    qsizetype end = cps.size();
    while (begin < end && QChar::isSpace(cps[begin]))
        ++begin;
    while (end > begin && QChar::isSpace(cps[end - 1]))
        --end;
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(cps.constData()) + begin, end - begin);
}

QString foldOntoOneLine(const QString &text)
{
    QString out;
    bool pendingSpace = false;
    for (const uint cp : codePoints(text)) {
        if (QChar::isSpace(cp)) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (pendingSpace)
            out.append(QLatin1Char(' '));
        pendingSpace = false;
        const char32_t c = cp;
        out.append(QString::fromUcs4(&c, 1));
    }
    return out;
}
