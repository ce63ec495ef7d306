#!/usr/bin/env bash
# Takes screenshots of the main window under Xvfb: empty, then playing the demo file with each inspector section.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
# Writes OUTPUT_DIR/{empty,minimum-size,playing-notes,playing-effects,playing-speech}.png and refreshes resources/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$build/screenshots}
demo=$build/demo/ostrivan-demo.mp4
"$root/scripts/make-demo.sh" "$demo"
cmake --build "$build" --target ov_screenshot_tool OstrivanMediaViewer >/dev/null
export ALSA_CONFIG_PATH=$root/tests/null-alsa.conf
# The notes the pictures show stay out of the user's own notes directory.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export XDG_DATA_HOME=$data
xvfb-run -a -s "-screen 0 1440x900x24" "$build/tests/ov_screenshot_tool" "$out" "$demo" 2> "$out.log" || {
  cat "$out.log" >&2
  exit 1
}
# The README keeps one small picture.
convert "$out/playing-notes.png" -resize 900x -strip -colors 256 PNG8:"$root/resources/screenshot.png"
echo "README picture: $root/resources/screenshot.png ($(stat -c %s "$root/resources/screenshot.png") bytes)"
