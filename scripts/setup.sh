#!/usr/bin/env bash
# Everything a fresh Debian 12 machine needs: packages, engines, the build and the demo file.
# Idempotent and non-interactive. Usage: scripts/setup.sh [BUILD_DIR [extra cmake arguments...]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
cache=${XDG_CACHE_HOME:-$HOME/.cache}/ostrivan
say() { echo "setup: $*"; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(build-essential cmake ninja-build pkg-config git ca-certificates curl
  qt6-base-dev libgl-dev libvlc-dev libvlc-bin vlc-plugin-base vlc-plugin-video-output
  ffmpeg libgtest-dev nlohmann-json3-dev xvfb xauth x11-utils wabt binutils espeak-ng time)
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  say "installing Debian packages: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  say "Debian packages already installed"
fi

cmake_args=(-G Ninja)
# RNNoise: the system's library when there is one, else the WebAssembly build translated to C.
if pkg-config --exists rnnoise; then
  say "RNNoise: system library $(pkg-config --modversion rnnoise)"
else
  wasm_dir=$cache/rnnoise-wasm-0.2.1
  if [ ! -f "$wasm_dir/package/dist/rnnoise.wasm" ]; then
    say "RNNoise: fetching @jitsi/rnnoise-wasm 0.2.1"
    "$root/scripts/fetch-npm-tarball.sh" "@jitsi/rnnoise-wasm@0.2.1" \
      "sha512-iEj77www43pS2Yq+cfLZb+hFuI7L5ccisBzzPMcOjjLsG4/LAlkD1CY58/8gc84nHdLBGmD/OPIWGnvYnXvB0A==" "$wasm_dir"
  fi
  say "RNNoise: WebAssembly build of @jitsi/rnnoise-wasm 0.2.1 (translated with wasm2c)"
  cmake_args+=("-DOSTRIVAN_RNNOISE_WASM=$wasm_dir/package/dist/rnnoise.wasm")
fi

whisper=$("$root/scripts/build-whisper.sh")
say "whisper-cli: $whisper"
cmake_args+=("-DOSTRIVAN_WHISPER_CLI=$whisper")
model=$("$root/scripts/fetch-model.sh")
[ -n "$model" ] && cmake_args+=("-DOSTRIVAN_WHISPER_MODEL=$model")

say "configuring and building in $build"
cmake -S "$root" -B "$build" "${cmake_args[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"

"$root/scripts/make-demo.sh" "$build/demo/ostrivan-demo.mp4"
say "ready: $build/bin/OstrivanMediaViewer, demo file $build/demo/ostrivan-demo.mp4"
