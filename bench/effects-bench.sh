#!/usr/bin/env bash
# Prints the effect figures: "Preview 8s" for each effect on a generated 1080p 30 fps 60 s clip with speech,
# from the click to the preview playing, next to the same FFmpeg command lines run directly; the time our
# code adds per job; and the cleanup export of 10 minutes of audio as a multiple of real time.
# Usage: bench/effects-bench.sh [BUILD_DIR]   (runs under Xvfb when there is no display)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target ov_effects_bench ostrivan-denoise >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Speech: the shared sample when present, looped; otherwise a tone with noise stands in.
speech=$root/../shared/test-assets/speech-sample.wav
if [ -f "$speech" ]; then
  voice=(-stream_loop -1 -i "$speech")
  echo "speech: $speech, looped"
else
  voice=(-f lavfi -i "sine=frequency=220:sample_rate=16000")
  echo "speech: shared sample absent, a tone stands in"
fi
ffmpeg -nostdin -y -loglevel error -f lavfi -i "testsrc2=size=1920x1080:rate=30" "${voice[@]}" \
  -f lavfi -i "anoisesrc=color=pink:amplitude=0.03:sample_rate=48000" \
  -filter_complex "[1:a]aresample=48000[v];[v][2:a]amix=inputs=2:duration=first[a]" -map 0:v -map "[a]" \
  -t 60 -c:v libx264 -preset veryfast -b:v 8M -pix_fmt yuv420p -c:a aac "$work/clip 1080p.mp4"
ffmpeg -nostdin -y -loglevel error "${voice[@]}" \
  -f lavfi -i "anoisesrc=color=pink:amplitude=0.03:sample_rate=48000" \
  -filter_complex "[0:a]aresample=48000[v];[v][1:a]amix=inputs=2:duration=first" -t 600 -ac 2 \
  "$work/talk 10min.wav"

run=("$build/tests/ov_effects_bench" "$work/clip 1080p.mp4" "$work/talk 10min.wav" 600)
export ALSA_CONFIG_PATH=$root/tests/null-alsa.conf DBUS_SESSION_BUS_ADDRESS=disabled:
echo "cores: $(nproc)"
if [ -n "${DISPLAY:-}" ]; then "${run[@]}"; else xvfb-run -a -s "-screen 0 1920x1080x24" "${run[@]}"; fi
