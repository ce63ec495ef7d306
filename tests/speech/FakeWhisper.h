#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// A stand-in for whisper-cli in an Engines directory. It checks its own argument list and the audio it is
// given, notes what it saw (language-seen, base-seen), then behaves as the file "mode" beside it says:
//   ok          copies answer.json and answer.srt to the output base
//   fail        writes an error line (and a blank line) to its error output and exits 1
//   emptysrt    writes the transcript and a zero-byte SRT
//   brokenjson  writes a truncated transcript and the SRT
//   nojson      writes only the SRT
//   hang        notes "started" and sleeps until terminated
inline const QByteArray fakeWhisperScript = R"SH(#!/bin/sh
here=$(dirname "$0")
if [ $# -ne 12 ] || [ "$1" != -m ] || [ "$2" != "$here/ggml-tiny.bin" ] || [ "$3" != -f ] || [ "$5" != -l ] \
   || [ "$7" != -t ] || [ "$8" != 4 ] || [ "$9" != -oj ] || [ "${10}" != -osrt ] || [ "${11}" != -of ]; then
  echo "fake whisper: unexpected arguments: $*" >&2; exit 3
fi
base=${12}
if [ "$4" != "$base.wav" ] || [ ! -s "$4" ]; then echo "fake whisper: no audio at $4" >&2; exit 4; fi
printf '%s' "$6" > "$here/language-seen"
printf '%s' "$base" > "$here/base-seen"
case $(cat "$here/mode") in
  ok) cp "$here/answer.json" "$base.json" && cp "$here/answer.srt" "$base.srt" ;;
  fail) echo "whisper_init: failed to load model" >&2; echo "" >&2; exit 1 ;;
  emptysrt) cp "$here/answer.json" "$base.json" && : > "$base.srt" ;;
  brokenjson) printf '{"transcription": [{"offsets": {"from": 0' > "$base.json"; cp "$here/answer.srt" "$base.srt" ;;
  nojson) cp "$here/answer.srt" "$base.srt" ;;
  hang) : > "$here/started"; exec sleep 60 ;;
  *) echo "fake whisper: no mode" >&2; exit 5 ;;
esac
)SH";

// Captions with a byte-order mark and CRLF line ends, which must travel unchanged.
inline const QByteArray fakeCaptions = "\xEF\xBB\xBF" "1\r\n00:00:00,000 --> 00:00:01,000\r\n Hello there.\r\n\r\n"
                                       "2\r\n00:00:02,000 --> 00:00:03,000\r\n General Kenobi.\r\n\r\n";

// Makes `engines` with the fake recogniser, a model file and the given answers.
inline bool makeFakeEngines(const QString &engines, const QByteArray &mode, const QByteArray &json,
                            const QByteArray &srt)
{
    if (!QDir().mkpath(engines))
        return false;
    auto write = [&engines](const QString &name, const QByteArray &bytes) {
        QFile file(QDir(engines).filePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    };
    QFile::remove(QDir(engines).filePath("language-seen"));
    QFile::remove(QDir(engines).filePath("base-seen"));
    QFile::remove(QDir(engines).filePath("started"));
    const bool written = write("whisper-cli", fakeWhisperScript) && write("ggml-tiny.bin", "model") &&
                         write("mode", mode) && write("answer.json", json) && write("answer.srt", srt);
    return written && QFile::setPermissions(QDir(engines).filePath("whisper-cli"),
                                            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
