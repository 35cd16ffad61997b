#!/usr/bin/env bash
# Runs a Windows test executable under Wine (through RUNNER, e.g. scripts/wine-run)
# with native scanner simulators
# behind COM ports: starts one `skelv simulate` per port, points the prefix's
# comN at its pseudo-terminal, runs the test, then stops the simulators and
# puts the prefix's links back.
#
# Usage: with-simulators.sh NATIVE_SKELV [--com N "SIMULATOR OPTIONS"]... [--absent N]... \
#          -- RUNNER TEST_EXE [TEST ARGS]
# Without --com, COM1 gets a simulator with default options. Each simulator
# stores what it takes over in $SKELV_SIM_DIR/scannerN.qrs (not comN.qrs:
# Windows reads such a name as the device COMN), sends as scans the lines
# written into the named pipe $SKELV_SIM_DIR/scansN, and writes the line
# settings it is spoken to at, a line each, in $SKELV_SIM_DIR/linesN.txt;
# --absent N points comN at a device that does not exist.
set -euo pipefail
skelv=$1
shift
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/windows/wineprefix}
if [ ! -x "$skelv" ]; then
  echo "with-simulators.sh: no native skelv at $skelv (build the native preset first)" >&2
  exit 1
fi

ports=()
options=()
absent=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  case $1 in
    --com) ports+=("$2"); options+=("$3"); shift 3 ;;
    --absent) absent+=("$2"); shift 2 ;;
    *) echo "with-simulators.sh: unexpected $1" >&2; exit 2 ;;
  esac
done
[ "${1:-}" = "--" ] && shift
[ ${#ports[@]} -eq 0 ] && { ports=(1); options=(""); }

work=$(mktemp -d)
export SKELV_SIM_DIR=$work
simulators=()
relinked=()
cleanup() {
  for pid in "${simulators[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${simulators[@]}"; do wait "$pid" 2>/dev/null || true; done
  for n in "${relinked[@]}"; do
    link=$WINEPREFIX/dosdevices/com$n
    rm -f "$link"
    [ -e "$work/com$n.saved" ] && ln -s "$(cat "$work/com$n.saved")" "$link"
  done
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$WINEPREFIX/dosdevices"
point() {  # point comN at a device, remembering the prefix's own link
  local link=$WINEPREFIX/dosdevices/com$1
  [ -L "$link" ] && readlink "$link" >"$work/com$1.saved"
  ln -sfn "$2" "$link"
  relinked+=("$1")
}

for i in "${!ports[@]}"; do
  n=${ports[$i]}
  mkfifo "$work/out$n" "$work/scans$n"
  # Opened for reading and writing, the pipe never ends the simulator's input.
  # shellcheck disable=SC2086 # the options are words for the simulator
  "$skelv" simulate --store "$work/scanner$n.qrs" ${options[$i]} <>"$work/scans$n" \
    >"$work/out$n" 2> >(tee "$work/lines$n.txt" >&2) &
  simulators+=($!)
  device=
  read -r -t 10 device <"$work/out$n" || true
  if [ -z "$device" ]; then
    echo "with-simulators.sh: the simulator for COM$n printed no device" >&2
    exit 1
  fi
  point "$n" "$device"
done
for n in "${absent[@]}"; do point "$n" "$work/no-such-device"; done

"$@"
