#!/usr/bin/env bash
# Takes a screenshot of the main window, headless under Xvfb, against the
# stand-in service with the demo data: one number added and its row made current.
# Usage: tools/screenshot.sh [OUTPUT.png]   (default docs/screenshot.png)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
output=$(realpath -m "${1:-$repo/docs/screenshot.png}")

"$repo/tools/setup.sh"
prepare_demo
start_demo_service
use_demo_wine_prefix

# Wine draws the window frame itself inside a desktop of the screen's size.
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -euo pipefail
  source "$1/tools/common.sh"
  cd "$demo"
  # Programs see only the windows of their own desktop: the driver runs in the same one.
  desktop=(explorer /desktop=shot,800x600)
  driver=(timeout 60 "$wine" "${desktop[@]}" "$1/build/windows/tools/win/quorvane_demo_driver.exe")
  "$wine" "${desktop[@]}" "$demo/quorvane.exe" &
  program=$!
  # The driver waits (bounded) until the window is shown and the history is filled.
  "${driver[@]}" show || { echo "the window did not show the demo history in time" >&2; exit 1; }
  # The window is centred: 550 x 429 in an 800 x 600 desktop.
  import -window root -crop 550x429+125+85 +repage "$2"
  "${driver[@]}" close || echo "the window did not close in time" >&2
  timeout 30 tail --pid="$program" -f /dev/null || kill "$program" 2>/dev/null || true
' _ "$repo" "$output"
echo "screenshot: $output"
