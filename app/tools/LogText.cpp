#include "tools/LogText.h"

namespace {
bool endsLine(char16_t c)
{
    switch (c) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}
} // namespace

std::optional<QString> lastNonEmptyLine(const QByteArray &tail)
{
    const QString text = QString::fromUtf8(tail);
    // Walk back from the end: skip separators, then take the line up to the previous separator.
    qsizetype end = text.size();
    while (end > 0 && endsLine(text.at(end - 1).unicode()))
        --end;
    if (end == 0)
        return std::nullopt;
    qsizetype begin = end;
    while (begin > 0 && !endsLine(text.at(begin - 1).unicode()))
        --begin;
    return text.mid(begin, end - begin);
}
