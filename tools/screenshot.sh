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
  driver=(timeout 120 "$wine" "${desktop[@]}" "$1/build/windows/tools/win/quorvane_demo_driver.exe")
  done_file=$(mktemp -u /tmp/quorvane-shot.XXXXXX)
  "$wine" "${desktop[@]}" "$demo/quorvane.exe" &
  program=$!
  # The program'"'"'s explorer must own the desktop: the first one to start it
  # stays until the desktop closes, so the driver starts only once it is up.
  for _ in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '"'"'"shot - Wine desktop"'"'"' && break
    sleep 0.1
  done
  # The driver runs inside the desktop, detached: it writes done_file once the
  # window is shown with a history filled in, or once its own waits ran out.
  "${driver[@]}" show "Z:${done_file//\//\\}"
  for _ in $(seq 900); do [ -s "$done_file" ] && break; sleep 0.1; done
  state=$(cat "$done_file" 2>/dev/null || echo "no answer")
  rm -f "$done_file"
  [ "$state" = shown ] || { echo "the window did not show the demo history in time ($state)" >&2; exit 1; }
  # The window is centred: 550 x 429 in an 800 x 600 desktop.
  import -window root -crop 550x429+125+85 +repage "$2"
  "${driver[@]}" close
  timeout 30 tail --pid="$program" -f /dev/null || kill "$program" 2>/dev/null || true
' _ "$repo" "$output"
echo "screenshot: $output"
