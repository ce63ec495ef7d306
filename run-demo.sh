#!/usr/bin/env bash
# Sets everything up and opens the built-in demo file. Without a display it runs the unattended
# playback check under Xvfb and prints its outcome instead.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" "$root/build"
app=$root/build/bin/OstrivanMediaViewer
demo=$root/build/demo/ostrivan-demo.mp4
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$app" --open "$demo"
fi
echo "No display: running the playback check under Xvfb."
ALSA_CONFIG_PATH=$root/tests/null-alsa.conf exec xvfb-run -a -s "-screen 0 1920x1080x24" "$app" --smoke "$demo"
