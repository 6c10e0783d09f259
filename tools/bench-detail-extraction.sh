#!/usr/bin/env bash
# Builds the detail-extraction benchmark (Release, no sanitizers) in build/bench
# and runs it: each page should take well under a second, and the whole page
# pipeline at most a small multiple of the UTF-8 to GBK conversion alone.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/bench"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_SANITIZE=OFF
cmake --build "$build" --target detail_extraction_bench
"$build/tests/bench/detail_extraction_bench"
