#!/usr/bin/env bash
# Builds the release archives into build/release/: the Windows zip of both
# programs (MinGW) and the Linux tarball of the batch tool (native, without
# sanitizers), both for the tracking service QUORVANE_SERVICE_HOST, and lists
# what each holds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$repo/tools/setup.sh"

if [ -z "${QUORVANE_SERVICE_HOST:-}" ]; then
  echo "release: QUORVANE_SERVICE_HOST is not set; the programs will query the stand-in service" \
    "on 127.0.0.1:$demo_port" >&2
fi
host=${QUORVANE_SERVICE_HOST:-127.0.0.1:$demo_port}
out=$repo/build/release

echo "== windows build for $host"
windows_build "$out/windows" "$host" -DQUORVANE_BUILD_TESTS=OFF
echo "== native build for $host"
configure_and_build "$out/native" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF \
  -DQUORVANE_SANITIZE=OFF -DQUORVANE_SERVICE_HOST="$host"

# pack BUILD_DIR GENERATOR: makes the archive and puts it into build/release/.
pack() {
  local build=$1 generator=$2 archive
  rm -rf "$build/package"
  cpack -G "$generator" --config "$build/CPackConfig.cmake" -B "$build/package" >"$build/cpack.log" \
    || { cat "$build/cpack.log" >&2; exit 1; }
  for archive in "$build"/package/quorvane*.zip "$build"/package/quorvane*.tar.gz; do
    [ -f "$archive" ] || continue
    cp "$archive" "$out/"
    echo "== $out/$(basename "$archive")"
    cmake -E tar tvf "$archive"
  done
}
pack "$out/windows" ZIP
pack "$out/native" TGZ
