#!/usr/bin/env bash
# Runs every test: installs what is missing, builds natively (core tests under
# ASan/UBSan, the stand-in service and its tests), runs each fuzz target for a
# short while, builds for Windows (MinGW), then runs the Windows tests under
# Wine in a headless X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$repo/tools/setup.sh"

echo "== native build and tests"
native_build
ctest --test-dir "$repo/build/native" --output-on-failure -j "$jobs"

echo "== fuzz targets, 20 s each"
"$repo/tools/fuzz.sh" 20

echo "== windows build"
# Its own port, so a demo started with tools/run.sh never stands in the way.
test_port=${QUORVANE_TEST_PORT:-18370}
if port_answers "$test_port"; then
  echo "error: port $test_port on 127.0.0.1 is in use; the Windows tests start their tracking service there." >&2
  echo "       Free it, or choose another port with QUORVANE_TEST_PORT." >&2
  exit 1
fi
windows_build "$repo/build/windows-test" "127.0.0.1:$test_port" \
  -DQUORVANE_NATIVE_SERVICE="$repo/build/native/service/quorvane-service"

echo "== windows tests under wine"
run_in_wine_session ctest --test-dir "$repo/build/windows-test" --output-on-failure -j 2
