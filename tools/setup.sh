#!/usr/bin/env bash
# Installs every Debian package that the native build, the Windows cross build and the
# tests need, and generates the locales the Wine tests run under. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  clang-14 libclang-rt-14-dev
  libboost1.81-dev libgtest-dev googletest
  libcurl4-openssl-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  locales fonts-wqy-microhei
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

need_locale() { locale -a 2>/dev/null | grep -qi "^$1$" || return 0; return 1; }
if need_locale 'zh_CN.utf8' || need_locale 'en_US.utf8'; then
  for l in 'zh_CN.UTF-8 UTF-8' 'en_US.UTF-8 UTF-8'; do
    grep -q "^$l" /etc/locale.gen 2>/dev/null || echo "$l" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen
fi
