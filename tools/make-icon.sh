#!/usr/bin/env bash
# Renders the icon source into quorvane.ico (16, 32, 48 and 128 pixels).
# The .ico is kept in the repository so that builds need no ImageMagick.
set -euo pipefail
dir=$(cd "$(dirname "$0")/../ui/win/resources" && pwd)
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
# Comment lines are dropped; the drawing goes in as text (policy forbids "@file" reads).
convert -size 128x128 xc:none -draw "$(grep -v "^#" "$dir/quorvane-icon.mvg")" "$tmp/128.png"
for size in 16 32 48; do convert "$tmp/128.png" -resize "${size}x${size}" "$tmp/$size.png"; done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/128.png" "$dir/quorvane.ico"
echo "wrote $dir/quorvane.ico"
