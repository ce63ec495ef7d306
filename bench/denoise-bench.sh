#!/usr/bin/env bash
# Prints figures for ostrivan-denoise:
#   1. throughput as a multiple of real time on 10 minutes of 48 kHz mono audio, on one core (the program is single-threaded; best of 3 runs);
#   2. peak resident memory (GNU time's maximum resident set size) for a 10 s and for the 10 min input.
# Usage: bench/denoise-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
program=$build/share/ostrivan-media-viewer/Engines/ostrivan-denoise
cmake --build "$build" --target ostrivan-denoise >/dev/null
if [ ! -x /usr/bin/time ]; then
  echo "GNU time is missing: install the Debian package time (scripts/setup.sh does)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pink noise over a tone: RNNoise's cost does not depend on the content.
make_input() { # seconds output
  ffmpeg -nostdin -y -loglevel error \
    -f lavfi -i "anoisesrc=color=pink:amplitude=0.05:sample_rate=48000:duration=$1:seed=3" \
    -f lavfi -i "sine=frequency=300:sample_rate=48000:duration=$1" \
    -filter_complex "[0][1]amix=inputs=2:normalize=0" -ac 1 -ar 48000 -f s16le "$2"
}
make_input 10 "$work/short.raw"
make_input 600 "$work/long.raw"

# run INPUT: prints "elapsed_seconds max_rss_kb"
run() {
  /usr/bin/time -f "%e %M" -o "$work/time.txt" "$program" "$1" "$work/out.raw"
  cat "$work/time.txt"
}

echo "program: $program"
best=
for i in 1 2 3; do
  read -r elapsed rss < <(run "$work/long.raw")
  echo "run $i on 600 s: $elapsed s, peak RSS $rss KB"
  if [ -z "$best" ] || awk -v a="$elapsed" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$elapsed; fi
  long_rss=$rss
done
awk -v t="$best" 'BEGIN { printf "throughput: %.1fx real time (600 s of audio in %.2f s, one thread)\n", 600 / t, t }'
read -r _ short_rss < <(run "$work/short.raw")
echo "peak RSS: 10 s input $short_rss KB, 600 s input $long_rss KB (difference $((long_rss - short_rss)) KB)"
