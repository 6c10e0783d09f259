# Shared by the scripts in tools/: paths, the two builds, and the Wine session.
# shellcheck shell=bash
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
# Debian installs the 64-bit loader here; /usr/bin/wine would ask for wine32 first.
wine=/usr/lib/wine/wine64

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

# A throwaway Wine prefix, prepared once; Wine's Mono and Gecko installers stay off.
start_wine_prefix() {
  export WINEPREFIX; WINEPREFIX=$(mktemp -d /tmp/quorvane-wine.XXXXXX)
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
  "$wine" wineboot --init >/dev/null 2>&1
  use_wine_desktop  # its explorer process also keeps the Wine server up between tests
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
    start_wine_prefix
    trap stop_wine_prefix EXIT
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
  iconv -f UTF-8 -t GBK "$repo/demo/couriers.ini" | sed 's/$/\r/' >"$demo/infor.ini"
  cp "$repo/demo/numbers.txt" "$demo/"
}

# Starts the stand-in service with the demo parcels; stops it when the script ends.
start_demo_service() {
  "$repo/build/native/service/quorvane-service" --listen 127.0.0.1 --port 8370 \
    --data "$repo/demo/parcels.txt" 2>"$demo/service.log" &
  demo_service_pid=$!
  trap 'kill $demo_service_pid 2>/dev/null || true' EXIT
}

# A Wine prefix of the demo's own, kept between runs.
use_demo_wine_prefix() {
  export WINEPREFIX=$repo/build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=zh_CN.UTF-8
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
  if [ ! -d "$WINEPREFIX" ]; then "$wine" wineboot --init >/dev/null 2>&1; fi
}
