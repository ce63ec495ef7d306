#!/usr/bin/env bash
# Prints load, save and table reload times for 10,000 notes. Usage: bench/notes-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target ov_notes_bench >/dev/null
xvfb-run -a "$build/tests/ov_notes_bench"
