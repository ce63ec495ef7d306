#!/usr/bin/env bash
# Prints playback figures for the viewer under Xvfb:
#   1. time from process start to the smoke verdict on the demo file (median of 5 runs);
#   2. CPU use (percent of one core) over 30 s idle with no file open;
#   3. CPU use and resident memory over 30 s playing the demo file, next to libVLC's own command-line player
#      (cvlc, Debian package vlc-bin, installed here only) on the same file in the same run.
# Usage: bench/playback-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
app=$build/bin/OstrivanMediaViewer
demo=$build/demo/ostrivan-demo.mp4
window=30
export ALSA_CONFIG_PATH=$root/tests/null-alsa.conf

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
"$root/scripts/make-demo.sh" "$demo"
cmake --build "$build" --target OstrivanMediaViewer >/dev/null
if ! command -v cvlc >/dev/null; then
  echo "installing vlc-bin for the comparison"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends vlc-bin >/dev/null
fi

work=$(mktemp -d)
chmod 755 "$work"
cleanup() {
  jobs -p | xargs -r kill 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The demo lasts 20 s; play it twice over so a 30 s window sees playback only.
long=$work/demo-twice.mp4
ffmpeg -nostdin -y -loglevel error -stream_loop 1 -i "$demo" -c copy "$long"
chmod 644 "$long"
probe=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height,r_frame_rate,codec_name -of csv=p=0 "$long")
echo "media: $probe, $(ffprobe -v error -show_entries format=duration -of csv=p=0 "$long") s"

# One X server for the whole run; -ac lets the unprivileged cvlc connect (as "xhost +local:" would).
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -ac >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_mb() { awk '/VmRSS/ {printf "%.0f", $2 / 1024}' "/proc/$1/status"; }
# CPU percent of one core used by PID over the window.
measure() {
  local pid=$1 start end
  start=$(cpu_ticks "$pid")
  sleep "$window"
  end=$(cpu_ticks "$pid")
  echo "$(( (end - start) * 10000 / (ticks * window) ))" | awk '{printf "%.1f", $1 / 100}'
}

echo
echo "1. start to smoke verdict (5 runs)"
times=()
for i in 1 2 3 4 5; do
  t0=$(date +%s%N)
  verdict=$("$app" --smoke "$demo" 2>/dev/null) || true
  t1=$(date +%s%N)
  ms=$(( (t1 - t0) / 1000000 ))
  times+=("$ms")
  echo "   run $i: ${ms} ms ($verdict)"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "   median: ${median} ms (target: under 1500 ms)"

echo
echo "2. idle, no file open, ${window} s"
"$app" 2>/dev/null &
pid=$!
sleep 3
idle=$(measure "$pid")
echo "   viewer: ${idle}% of one core, $(rss_mb "$pid") MB resident (target: below 1%)"
kill "$pid"; wait "$pid" 2>/dev/null || true

echo
echo "3. playing the demo file, ${window} s"
"$app" --open "$long" 2>/dev/null &
pid=$!
sleep 2
viewer=$(measure "$pid")
viewer_rss=$(rss_mb "$pid")
kill "$pid"; wait "$pid" 2>/dev/null || true
echo "   viewer: ${viewer}% of one core, ${viewer_rss} MB resident"

# cvlc refuses to run as root: run it as nobody.
if [ "$(id -u)" = 0 ]; then
  runuser -u nobody -- env DISPLAY="$DISPLAY" ALSA_CONFIG_PATH="$ALSA_CONFIG_PATH" HOME="$work" \
    cvlc --play-and-exit "$long" >/dev/null 2>&1 &
else
  cvlc --play-and-exit "$long" >/dev/null 2>&1 &
fi
runner=$!
sleep 2
vlc=$(pgrep -n -x vlc || true)
if [ -z "$vlc" ]; then
  echo "   cvlc did not start"
  exit 1
fi
reference=$(measure "$vlc")
reference_rss=$(rss_mb "$vlc")
kill "$vlc" 2>/dev/null || true
wait "$runner" 2>/dev/null || true
echo "   cvlc:   ${reference}% of one core, ${reference_rss} MB resident"
awk -v a="$viewer" -v b="$reference" 'BEGIN {
  if (b > 0) printf "   viewer / cvlc: %.2f (target: at most 1.10)\n", a / b }'
