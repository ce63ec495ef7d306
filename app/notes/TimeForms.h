#pragma once

#include <QString>
#include <QtGlobal>

// Text forms of a media time (milliseconds). Negative times show as zero; nothing is rounded.
QString formatNoteTime(qint64 t); // "m:ss.mmm", minutes not folded into hours
QString formatSeconds(qint64 t);  // "s.mmm", seconds not folded into minutes
