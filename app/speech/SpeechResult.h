#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// One suggested excerpt, in media milliseconds.
struct SpeechClip {
    qint64 start = 0;
    qint64 end = 0;
    QString text;

    friend bool operator==(const SpeechClip &, const SpeechClip &) = default;
};

// The outcome of one analysis: the recogniser's SRT bytes untouched, and 0 to 8 clips sorted by start.
struct SpeechResult {
    QByteArray srt;
    QList<SpeechClip> clips;
};
