#include "shell/Clock.h"

QString formatClock(qint64 t)
{
    const qint64 s = t >= 0 ? t / 1000 : 0;
    if (t >= 3'600'000)
        return QString::asprintf("%lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                                 static_cast<long long>((s / 60) % 60), static_cast<long long>(s % 60));
    return QString::asprintf("%lld:%02lld", static_cast<long long>(s / 60), static_cast<long long>(s % 60));
}
