#!/usr/bin/env bash
# Runs Quorvane: installs what is missing, builds the stand-in tracking service
# and quorvane.exe, starts the service with the demo parcels on 127.0.0.1:8370,
# puts the demo courier list beside the program, and opens the window under Wine.
# Without a display it takes a screenshot headless instead (tools/screenshot.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: opening the window headless under Xvfb and saving a screenshot."
  exec "$repo/tools/screenshot.sh" "$demo/screenshot.png"
fi

"$repo/tools/setup.sh"
prepare_demo
start_demo_service
use_demo_wine_prefix
cd "$demo"
"$wine" "$demo/quorvane.exe"
