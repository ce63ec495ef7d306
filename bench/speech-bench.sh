#!/usr/bin/env bash
# Prints the speech figures: suggestClips and transcript decoding on 1,000,000 random segments, and a whole
# analysis of the shared speech sample with the built whisper-cli next to the two programs run directly.
# The real model is used when Engines/ holds ggml-tiny.bin, else the shared test model.
# Usage: bench/speech-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target ov_speech_bench >/dev/null
engines=$build/share/ostrivan-media-viewer/Engines
model=$engines/ggml-tiny.bin
[ -f "$model" ] || model=$root/../shared/test-assets/whisper/for-tests-ggml-tiny.bin
sample=$root/../shared/test-assets/speech-sample.wav
ffmpeg=${OSTRIVAN_FFMPEG:-$(command -v ffmpeg || true)}
echo "cores: $(nproc)"
if [ -x "$engines/whisper-cli" ] && [ -f "$model" ] && [ -f "$sample" ] && [ -n "$ffmpeg" ]; then
  echo "model: $model"
  "$build/tests/ov_speech_bench" "$ffmpeg" "$engines/whisper-cli" "$model" "$sample"
else
  "$build/tests/ov_speech_bench"
fi
