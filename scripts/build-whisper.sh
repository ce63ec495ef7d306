#!/usr/bin/env bash
# Builds a static whisper-cli from the whisper.cpp tree shipped in a pinned npm package, cached by version.
# Prints the path of the binary on stdout.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
version=0.3.1
cache=${XDG_CACHE_HOME:-$HOME/.cache}/ostrivan/whisper-cli-nodejs-whisper-$version
bin=$cache/whisper-cli
if [ -x "$bin" ]; then echo "$bin"; exit 0; fi
echo "setup: building whisper-cli (whisper.cpp from nodejs-whisper $version, a few minutes on a cold machine)" >&2
mkdir -p "$cache"
"$here/fetch-npm-tarball.sh" "nodejs-whisper@$version" \
  "sha512-ceoilUVraRuR5FnNyXpGQT2auAR48Oc3AQBEmkXnVpSn9iN6yVRzQBFCqVTGWbk6Wdi95NhvwXNzFvuR7erLWw==" "$cache/src" >&2
src=$cache/src/package/cpp/whisper.cpp
cmake -S "$src" -B "$cache/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DWHISPER_BUILD_TESTS=OFF \
  -DWHISPER_BUILD_SERVER=OFF -DWHISPER_CURL=OFF -DWHISPER_SDL2=OFF -DGGML_NATIVE=OFF -DGGML_CCACHE=OFF \
  -DGGML_STATIC=ON -DCMAKE_EXE_LINKER_FLAGS=-static >"$cache/configure.log" 2>&1 \
  || { echo "setup: whisper.cpp configure failed, see $cache/configure.log" >&2; exit 1; }
cmake --build "$cache/build" --target whisper-cli -j"$(nproc)" >"$cache/build.log" 2>&1 \
  || { echo "setup: whisper-cli build failed, see $cache/build.log" >&2; exit 1; }
cp "$cache/build/bin/whisper-cli" "$bin.tmp"
mv "$bin.tmp" "$bin"
rm -rf "$cache/build" "$cache/src"
echo "$bin"
