// Feeds arbitrary bytes to the transcript decoder and, when they decode, the segments to suggestClips with a
// duration taken from the input, checking what every result must satisfy.
#include "speech/ClipSuggestion.h"
#include "speech/Transcript.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TranscriptDecoding decoded = decodeTranscript(bytes);
    if (decoded.transcript.has_value() == !decoded.error.isEmpty())
        std::abort(); // exactly one of a transcript or a description
    if (!decoded.transcript)
        return 0;
    qint64 duration = 0;
    if (size >= sizeof duration)
        std::memcpy(&duration, data + size - sizeof duration, sizeof duration);
    const QList<SpeechClip> clips = suggestClips(decoded.transcript->transcription, duration);
    if (clips.size() > clipRules::mostClips)
        std::abort();
    for (qsizetype i = 0; i < clips.size(); ++i) {
        const SpeechClip &clip = clips[i];
        if (clip.start < 0 || clip.start >= clip.end || (duration >= 1 && clip.end > duration) ||
            (i > 0 && clips[i - 1].start > clip.start) || clip.text.isEmpty())
            std::abort();
    }
    return 0;
}
