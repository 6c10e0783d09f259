#!/usr/bin/env bash
# Starts or stops the stand-in tracking service for the Windows tests, on
# loopback, with barring off. Usage: service-fixture.sh start|stop SERVICE PORT RUNDIR
# Only the process this script started is ever signalled: the pid file's
# process must still be running the service binary.
set -euo pipefail
action=$1 service=$2 port=$3 rundir=$4
pidfile=$rundir/service.pid
mkdir -p "$rundir"

# True while PID is alive and runs the service binary (not a later process that got its pid).
is_our_service() {
  local exe
  exe=$(readlink "/proc/$1/exe" 2>/dev/null) || return 1
  [ "$exe" = "$(readlink -f "$service")" ]
}

stop() {
  [ -f "$pidfile" ] || return 0
  local pid; pid=$(cat "$pidfile")
  rm -f "$pidfile"
  is_our_service "$pid" || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do is_our_service "$pid" || return 0; sleep 0.1; done
  is_our_service "$pid" && kill -9 "$pid" 2>/dev/null || true
}

case $action in
  start)
    stop
    [ -x "$service" ] || { echo "no service binary: $service" >&2; exit 1; }
    "$service" --listen 127.0.0.1 --port "$port" --bar-limit 0 >"$rundir/stdout.log" 2>"$rundir/requests.log" &
    echo $! >"$pidfile"
    for _ in $(seq 100); do
      grep -q '^listening on' "$rundir/stdout.log" 2>/dev/null && exit 0
      kill -0 "$(cat "$pidfile")" 2>/dev/null || break
      sleep 0.1
    done
    echo "service did not start on port $port" >&2; cat "$rundir/requests.log" >&2 || true
    stop; exit 1 ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop SERVICE PORT RUNDIR" >&2; exit 2 ;;
esac
