#!/usr/bin/env bash
# quorvane-batch against a bare libcurl loop over the same URLs: 2,000 known
# numbers through each, natively, against one stand-in service on a free
# loopback port with barring off. Builds without sanitizers (Release, in
# build/bench), runs each side in turn and prints the best time
# of each and their ratio. The goal is a ratio of at most 1.10. Never part of
# the tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bench=$repo/build/bench
rounds=${QUORVANE_BENCH_ROUNDS:-5}
count=2000

echo "== build"
cmake -S "$repo" -B "$bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_SANITIZE=OFF >/dev/null
cmake --build "$bench" -j "$jobs" --target quorvane_service quorvane_batch_tool curl_loop_bench >/dev/null

work=$(mktemp -d /tmp/quorvane-bench-cli.XXXXXX)
service_pid=
cleanup() {
  if [ -n "$service_pid" ]; then kill "$service_pid" 2>/dev/null || true; wait "$service_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The known numbers of one courier of the demo data, repeated up to the count.
grep '^parcel|xjkd|' "$repo/demo/parcels.txt" | cut -d'|' -f3 >"$work/known"
: >"$work/numbers"
while [ "$(wc -l <"$work/numbers")" -lt "$count" ]; do cat "$work/known" >>"$work/numbers"; done
head -n "$count" "$work/numbers" >"$work/numbers.$count"

# Port 0: the service picks a free port and names it on its first line.
"$bench/service/quorvane-service" --listen 127.0.0.1 --port 0 --bar-limit 0 \
  --data "$repo/demo/parcels.txt" >"$work/service.out" 2>/dev/null &
service_pid=$!
for _ in $(seq 100); do
  grep -q '^listening on ' "$work/service.out" 2>/dev/null && break
  sleep 0.1
done
host=$(sed -n 's/^listening on //p' "$work/service.out")
[ -n "$host" ] || { echo "error: the stand-in service did not start" >&2; exit 1; }
echo "== $count known numbers against the stand-in service on $host"

# Wall time and the program's own processor time (user + system), process start included.
TIMEFORMAT='%3R %3U %3S'
timed() {  # OUTPUT_FILE COMMAND...: runs it, prints "wall_ms cpu_ms"
  local out=$1; shift
  local wall user sys
  read -r wall user sys < <({ time "$@" >"$out"; } 2>&1)
  awk -v w="$wall" -v u="$user" -v s="$sys" 'BEGIN { printf "%d %d\n", w * 1000, (u + s) * 1000 }'
}

: >"$work/tool.times"
: >"$work/loop.times"
for round in $(seq "$rounds"); do
  read -r tool_ms tool_cpu < <(timed /dev/null "$bench/cli/quorvane-batch" --host "$host" --code xjkd -q \
    -o "$work/out.txt" "$work/numbers.$count")
  lines=$(grep -c '' "$work/out.txt")
  failed=$(iconv -f GBK -t UTF-8 "$work/out.txt" | grep -c '查询失败' || true)
  read -r loop_ms loop_cpu < <(timed "$work/loop.out" "$bench/tests/bench/curl_loop_bench" "$host" xjkd \
    <"$work/numbers.$count")
  read -r answered _ <"$work/loop.out"
  printf 'round %d: quorvane-batch %5d ms (cpu %4d ms; %d lines, %d failed)   bare libcurl loop %5d ms (cpu %4d ms; %d answered)\n' \
    "$round" "$tool_ms" "$tool_cpu" "$lines" "$failed" "$loop_ms" "$loop_cpu" "$answered"
  echo "$tool_ms $tool_cpu" >>"$work/tool.times"
  echo "$loop_ms $loop_cpu" >>"$work/loop.times"
done

# The median of a column of a times file.
median() { sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
best() { sort -n -k1 "$1" | head -n1 | cut -d' ' -f1; }

echo "== $rounds rounds (on a busy machine the median says more than the best)"
printf '%-18s best %5d ms   median %5d ms   median cpu %4d ms\n' \
  quorvane-batch: "$(best "$work/tool.times")" "$(median "$work/tool.times" 1)" "$(median "$work/tool.times" 2)" \
  "bare libcurl loop:" "$(best "$work/loop.times")" "$(median "$work/loop.times" 1)" "$(median "$work/loop.times" 2)"
awk -v tb="$(best "$work/tool.times")" -v lb="$(best "$work/loop.times")" \
  -v tm="$(median "$work/tool.times" 1)" -v lm="$(median "$work/loop.times" 1)" \
  'BEGIN { printf "ratio: best %.3f, median %.3f (goal: at most 1.10)\n", tb / lb, tm / lm }'
