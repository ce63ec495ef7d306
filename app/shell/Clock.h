#pragma once

#include <QString>
#include <QtGlobal>

// The elapsed label's form of a media time in milliseconds: "m:ss", or "h:mm:ss" from one hour on.
// Negative times show as 0:00.
QString formatClock(qint64 t);
