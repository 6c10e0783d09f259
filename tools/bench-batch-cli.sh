#!/usr/bin/env bash
# quorvane-batch against a bare libcurl loop over the same URLs: 2,000 known
# numbers through each, natively, against one stand-in service on a free
# loopback port with barring off. Builds without sanitizers (Release, in
# build/bench), runs each side five times in turn and prints the best time
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

now_ms() { date +%s%3N; }
best_tool= best_loop=
for round in $(seq "$rounds"); do
  start=$(now_ms)
  "$bench/cli/quorvane-batch" --host "$host" --code xjkd -q -o "$work/out.txt" "$work/numbers.$count"
  tool_ms=$(( $(now_ms) - start ))
  lines=$(grep -c '' "$work/out.txt")
  failed=$(iconv -f GBK -t UTF-8 "$work/out.txt" | grep -c '查询失败' || true)
  # Both timed from outside, process start included.
  start=$(now_ms)
  "$bench/tests/bench/curl_loop_bench" "$host" xjkd <"$work/numbers.$count" >"$work/loop.out"
  loop_ms=$(( $(now_ms) - start ))
  read -r answered _ <"$work/loop.out"
  printf 'round %d: quorvane-batch %6d ms (%d lines, %d failed)   bare libcurl loop %6d ms (%d answered)\n' \
    "$round" "$tool_ms" "$lines" "$failed" "$loop_ms" "$answered"
  if [ -z "$best_tool" ] || [ "$tool_ms" -lt "$best_tool" ]; then best_tool=$tool_ms; fi
  if [ -z "$best_loop" ] || [ "$loop_ms" -lt "$best_loop" ]; then best_loop=$loop_ms; fi
done

echo "== best of $rounds"
printf 'quorvane-batch:    %6d ms for %d numbers\n' "$best_tool" "$count"
printf 'bare libcurl loop: %6d ms for %d numbers\n' "$best_loop" "$count"
awk -v t="$best_tool" -v l="$best_loop" 'BEGIN { printf "ratio:             %6.3f (goal: at most 1.10)\n", t / l }'
