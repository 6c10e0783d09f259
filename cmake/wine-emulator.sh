#!/bin/sh
# Runs a Windows program of the cross build under Wine: CTest calls it for every
# test whose command is one of the project's executables. The caller provides
# WINEPREFIX and DISPLAY (tools/test.sh makes a throwaway prefix and an Xvfb).
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# WinINet would otherwise take the Unix proxy variables as the machine's proxy.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
if [ -x /usr/lib/wine/wine64 ]; then exec /usr/lib/wine/wine64 "$@"; fi
exec wine "$@"
