#include "notes/TimeForms.h"

#include <algorithm>

QString formatNoteTime(qint64 t)
{
    const qint64 u = std::max<qint64>(t, 0);
    return QString::asprintf("%lld:%02lld.%03lld", static_cast<long long>(u / 60000),
                             static_cast<long long>((u / 1000) % 60), static_cast<long long>(u % 1000));
}

QString formatSeconds(qint64 t)
{
    const qint64 u = std::max<qint64>(t, 0);
    return QString::asprintf("%lld.%03lld", static_cast<long long>(u / 1000), static_cast<long long>(u % 1000));
}
