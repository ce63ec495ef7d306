#!/usr/bin/env bash
# Prints figures for ostrivan-denoise:
#   1. throughput as a multiple of real time on 10 minutes of 48 kHz mono audio (the program is single-threaded,
#      so this is one core; best of 3 runs, by elapsed and by CPU time);
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

# run INPUT: prints "elapsed_seconds cpu_seconds max_rss_kb"
run() {
  /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$program" "$1" "$work/out.raw"
  awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$work/time.txt"
}

echo "program: $program"
best=
best_cpu=
for i in 1 2 3; do
  read -r elapsed cpu rss < <(run "$work/long.raw")
  echo "run $i on 600 s: $elapsed s elapsed, $cpu s CPU, peak RSS $rss KB"
  if [ -z "$best" ] || awk -v a="$elapsed" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$elapsed; best_cpu=$cpu; fi
  long_rss=$rss
done
# On a busy machine elapsed time includes waiting for a core; CPU time does not.
awk -v t="$best" -v c="$best_cpu" 'BEGIN {
  printf "throughput: %.1fx real time by elapsed time (600 s of audio in %.2f s, one thread), %.1fx by CPU time\n",
         600 / t, t, 600 / c }'
echo "load average while measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
read -r _ _ short_rss < <(run "$work/short.raw")
echo "peak RSS: 10 s input $short_rss KB, 600 s input $long_rss KB (difference $((long_rss - short_rss)) KB)"
