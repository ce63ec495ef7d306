#!/usr/bin/env bash
# Sets everything up and runs the whole test suite under Xvfb.
# Then runs it again in a separate AddressSanitizer + UBSan build (OSTRIVAN_SANITIZE=0 skips that).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" "$root/build"
run_suite() {
  xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir "$1" --output-on-failure -j2 --timeout 900
}
run_suite "$root/build"
if [ "${OSTRIVAN_SANITIZE:-1}" = 1 ]; then
  "$root/scripts/setup.sh" "$root/build-asan" -DOSTRIVAN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  run_suite "$root/build-asan"
fi
