#!/usr/bin/env bash
# Fleet download benchmark (not a test): wall time of one `skelv download` to
# one simulator against the same download to 8 simulators at once.
#
# Usage: scripts/bench-fleet.sh [SKELV] [RUNS] [DELAY_MS]
# Each simulator waits DELAY_MS before every reply (default 5, about what a
# scanner takes); the median of RUNS runs (default 5) is printed for each.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
skelv=${1:-$here/build/native/bin/skelv}
runs=${2:-5}
delay=${3:-5}
fleet=8

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

ports=()
for n in $(seq 1 $fleet); do
  mkfifo "$work/out$n"
  "$skelv" simulate --delay-ms "$delay" >"$work/out$n" &
  pids+=($!)
  read -r -t 10 device <"$work/out$n"
  ports+=(--port "$device")
done
"$skelv" defaults -o "$work/bench.qrs"

# Milliseconds of wall time of one run of the arguments.
wall_ms() {
  local start=$EPOCHREALTIME
  "$skelv" download "$work/bench.qrs" "$@" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

one=$(for _ in $(seq 1 "$runs"); do wall_ms "${ports[@]:0:2}"; done | median)
all=$(for _ in $(seq 1 "$runs"); do wall_ms "${ports[@]}"; done | median)
echo "reply delay:        $delay ms"
echo "one scanner:        $one ms (median of $runs)"
echo "$fleet scanners at once: $all ms (median of $runs)"
awk -v a="$all" -v o="$one" 'BEGIN { printf "ratio:              %.2f\n", a / o }'
