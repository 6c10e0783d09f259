#!/usr/bin/env bash
# Import, export, start-up and history-box figures under Wine. Builds the
# stand-in service natively (Release, no sanitizers, in build/bench) and the
# Windows benchmark for a service port of its own (build/windows-bench), starts
# that service on loopback with barring off, and runs the benchmark headless in
# a throwaway Wine prefix. Prints tables, the last with each figure beside its
# anchor and goal; never part of the tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The port is built into the program, so it is fixed here rather than picked at run time.
port=${QUORVANE_BENCH_PORT:-18371}
service=$repo/build/bench/service/quorvane-service
windows=$repo/build/windows-bench
fixture=$repo/tests/windows/service-fixture.sh

if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "port $port is in use; choose another with QUORVANE_BENCH_PORT" >&2
  exit 1
fi

echo "== build"
cmake -S "$repo" -B "$repo/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_SANITIZE=OFF >/dev/null
cmake --build "$repo/build/bench" --target quorvane_service
windows_build "$windows" "127.0.0.1:$port"

echo "== service on 127.0.0.1:$port"
"$fixture" start "$service" "$port" "$windows/service"
trap '"$fixture" stop "$service" "$port" "$windows/service"' EXIT

echo "== benchmark under wine"
run_in_wine_session "$wine" "$windows/tests/windows/bench/quorvane_batch_bench.exe"
