#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// What the recogniser's JSON output holds that the analysis uses. Segments may come in any order.
struct Transcript {
    struct Segment {
        struct Offset {
            qint64 from = 0;
            qint64 to = 0;
            friend bool operator==(const Offset &, const Offset &) = default;
        };
        Offset offsets;
        QString text;
        friend bool operator==(const Segment &, const Segment &) = default;
    };
    QList<Segment> transcription;
};

// A decoded transcript, or why the bytes are not one (a sentence fit for the status line).
struct TranscriptDecoding {
    std::optional<Transcript> transcript;
    QString error;
};

// Decodes {"transcription": [{"offsets": {"from": int, "to": int}, "text": string}, ...]}. Every named key is
// required with that type; offsets must be whole numbers that fit in 64 bits; any other key is ignored.
// Byte sequences that are not UTF-8 become U+FFFD instead of failing the whole document.
TranscriptDecoding decodeTranscript(const QByteArray &json);
