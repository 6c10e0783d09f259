#!/usr/bin/env bash
# Makes the release zip of a build with cpack, checks that it holds exactly the
# expected files and that its texts are GBK with CR LF, and unpacks it into
# WORK/unpacked for the tests that run its programs.
# Usage: unpack-release.sh CMAKE CPACK BUILD WORK ZIP_NAME VERSION SERVICE_HOST FILE...
set -euo pipefail
cmake=$1 cpack=$2 build=$3 work=$4 zip_name=$5 version=$6 host=$7
shift 7
expected=$(printf '%s\n' "$@" | LC_ALL=C sort)

fail() { echo "release zip: $*" >&2; exit 1; }

rm -rf "$work/package" "$work/unpacked"
if ! "$cpack" -G ZIP --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack failed"
fi
zip=$work/package/$zip_name
[ -f "$zip" ] || fail "no $zip_name in $work/package"

held=$("$cmake" -E tar tf "$zip" | LC_ALL=C sort)
[ "$held" = "$expected" ] || fail "holds"$'\n'"$held"$'\n'"instead of"$'\n'"$expected"

mkdir -p "$work/unpacked"
(cd "$work/unpacked" && "$cmake" -E tar xf "$zip")

# Each text: valid GBK, every line ended by CR LF, and a phrase that only the
# right encoding reads back.
check_text() {  # FILE PHRASE...
  local file=$work/unpacked/$1 utf8; shift
  utf8=$(iconv -f GBK -t UTF-8 "$file") || fail "$1 is not GBK"
  LC_ALL=C awk '!/\r$/ { bad = 1 } END { exit bad }' "$file" || fail "$(basename "$file") has a line without CR LF"
  [ "$(tail -c 1 "$file" | od -An -tx1 | tr -d ' ')" = 0a ] || fail "$(basename "$file") does not end with a line end"
  for phrase in "$@"; do
    grep -qF -- "$phrase" <<<"$utf8" || fail "$(basename "$file") lacks \"$phrase\""
  done
}
check_text README.txt "Quorvane $version 快递单号查询工具" "本版本查询的快递查询服务：$host" "quorvane-batch"
check_text infor.ini "[Number]" "1=迅捷快递-xjkd"
check_text numbers.txt "XJ1000000001"
