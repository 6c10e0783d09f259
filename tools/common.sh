# Shared by the scripts in tools/: paths, the two builds, and the Wine session.
# shellcheck shell=bash
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
# Every Windows program runs through the same launcher that CTest uses, which
# knows where the Wine loader is and keeps Wine quiet and off any proxy.
wine=$repo/cmake/wine-emulator.sh

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir=$1; shift
  cmake -S "$repo" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

native_build() {  # the core with sanitizers, its tests, and the stand-in service
  configure_and_build "$repo/build/native" -DCMAKE_BUILD_TYPE=Debug
}

windows_build() {  # DIR SERVICE_HOST [more cmake options]
  local dir=$1 host=$2; shift 2
  configure_and_build "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-w64-x86_64.cmake" \
    -DQUORVANE_SERVICE_HOST="$host" "$@"
}

# A throwaway Wine prefix, prepared once. The caller sets the trap that runs
# stop_wine_prefix before calling this, so a failing wineboot leaves nothing behind.
start_wine_prefix() {
  export WINEPREFIX; WINEPREFIX=$(mktemp -d /tmp/quorvane-wine.XXXXXX)
  "$wine" wineboot --init >/dev/null 2>&1
  install_wine_fonts
  use_wine_desktop  # its explorer process also keeps the Wine server up between tests
}

# The window's title-bar buttons are glyphs of the Marlett font (fonts-wine).
# Debian's Wine does not look in fonts-wine's folder by itself, so the font is
# put where every Windows program's fonts are: the prefix's Fonts folder.
install_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  [ -e "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# Windows open inside one Wine desktop window: Wine then draws their frames
# itself and waits for no X window manager (there is none under Xvfb).
use_wine_desktop() {
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
}

# Runs a command headless under Xvfb in a throwaway Wine prefix, with the
# Chinese locale (ANSI code page 936).
run_in_wine_session() {
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    source "$1/tools/common.sh"
    export LC_ALL=zh_CN.UTF-8
    trap stop_wine_prefix EXIT
    start_wine_prefix
    shift
    "$@"
  ' _ "$repo" "$@"
}

stop_wine_prefix() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}

# The demo: quorvane.exe built for the stand-in service on 127.0.0.1:8370, the
# demo courier list beside it (GBK, CR LF, as on Windows) and an import file.
demo=$repo/build/demo
prepare_demo() {
  native_build
  windows_build "$repo/build/windows" 127.0.0.1:8370 -DQUORVANE_BUILD_TESTS=OFF
  mkdir -p "$demo"
  cp "$repo/build/windows/app/quorvane.exe" "$demo/"
  cp "$repo/build/windows/cli/quorvane-batch.exe" "$demo/"
  iconv -f UTF-8 -t GBK "$repo/demo/couriers.ini" | sed 's/$/\r/' >"$demo/infor.ini"
  cp "$repo/demo/numbers.txt" "$demo/"
}

demo_port=8370

# True when something accepts connections on 127.0.0.1:PORT.
port_answers() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# Starts the stand-in service with the demo parcels and waits until it answers;
# stops it when the script ends. Exits non-zero, saying why, when the port is
# taken or the service does not come up.
start_demo_service() {
  if port_answers "$demo_port"; then
    echo "error: port $demo_port on 127.0.0.1 is in use; the demo's tracking service needs it." >&2
    echo "       Stop whatever listens there (for example: ss -ltnp 'sport = :$demo_port') and try again." >&2
    exit 1
  fi
  "$repo/build/native/service/quorvane-service" --listen 127.0.0.1 --port "$demo_port" \
    --data "$repo/demo/parcels.txt" >"$demo/service.out" 2>"$demo/service.log" &
  demo_service_pid=$!
  trap 'kill $demo_service_pid 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    if ! kill -0 "$demo_service_pid" 2>/dev/null; then break; fi
    if port_answers "$demo_port"; then return 0; fi
    sleep 0.1
  done
  echo "error: the demo's tracking service did not start on 127.0.0.1:$demo_port:" >&2
  cat "$demo/service.log" >&2
  exit 1
}

# A Wine prefix of the demo's own, kept between runs.
use_demo_wine_prefix() {
  export WINEPREFIX=$repo/build/wine-prefix
  export LC_ALL=zh_CN.UTF-8
  if [ ! -d "$WINEPREFIX" ]; then "$wine" wineboot --init >/dev/null 2>&1; fi
  install_wine_fonts
}
