#!/usr/bin/env bash
# Runs a Windows test executable under Wine with the native scanner simulator
# behind COM1: starts `skelv simulate`, points the prefix's com1 at its
# pseudo-terminal, runs the test, then stops the simulator and removes the link.
# Usage: with-simulator.sh NATIVE_SKELV TEST_EXE [TEST ARGS]
set -euo pipefail
skelv=$1
shift
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/windows/wineprefix}
if [ ! -x "$skelv" ]; then
  echo "with-simulator.sh: no native skelv at $skelv (build the native preset first)" >&2
  exit 1
fi

work=$(mktemp -d)
link=$WINEPREFIX/dosdevices/com1
saved=
simulator=
cleanup() {
  [ -n "$simulator" ] && kill "$simulator" 2>/dev/null && wait "$simulator" 2>/dev/null || true
  rm -f "$link"
  [ -n "$saved" ] && ln -s "$saved" "$link"
  rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/out"
"$skelv" simulate >"$work/out" &
simulator=$!
device=
read -r -t 10 device <"$work/out" || true
if [ -z "$device" ]; then
  echo "with-simulator.sh: the simulator printed no device" >&2
  exit 1
fi

mkdir -p "$WINEPREFIX/dosdevices"
[ -L "$link" ] && saved=$(readlink "$link")
ln -sfn "$device" "$link"
"$here/scripts/wine-run" "$@"
