#!/usr/bin/env bash
# skelv.exe under Wine, run by with-simulators.sh with simulators behind COM1,
# COM2, COM3 (one that keeps its old image) and COM10, and nothing behind
# COM12. The simulators' ports are registered as Wine registers serial ports,
# so that Windows lists them: `ports` shows them in natural order, download
# --verify goes to COM1 and COM2 at once, COM3's read-back differs, the
# absent COM12 fails, apply leaves COM1 as it is and changes COM10; probe
# finds COM1 at the factory settings; simulate says it runs on Linux only.
#
# Usage: skelv_wine_test.sh SKELV_EXE
set -euo pipefail
skelv_exe=$(realpath "$1")
here=$(cd "$(dirname "$0")/../.." && pwd)
run() { "$here/scripts/wine-run" "$@"; }
ports_key='HKLM\Software\Wine\Ports'
registered=(1 2 3 10)
work=$(mktemp -d)

restart_wine() {  # as wine-ctest.sh starts it, so that no Wine process holds CTest's pipes
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 </dev/null
  wineboot >/dev/null 2>&1 </dev/null
}
# Wine as it was: without the registered ports, and without the links the
# mount manager made meanwhile for the machine's own ports (COM4 for
# /dev/ttyS0, say), which later tests would find registered and openable.
links_before=$(cd "$WINEPREFIX/dosdevices" && echo com*)
cleanup() {
  for n in "${registered[@]}"; do run reg delete "$ports_key" /v "COM$n" /f >/dev/null 2>&1 || true; done
  for link in "$WINEPREFIX"/dosdevices/com*; do
    [[ " $links_before " == *" ${link##*/} "* ]] || rm -f "$link"
  done
  restart_wine
  rm -rf "$work"
}
trap cleanup EXIT

for n in "${registered[@]}"; do
  run reg add "$ports_key" /v "COM$n" /d "$(readlink "$WINEPREFIX/dosdevices/com$n")" /f >/dev/null
done
restart_wine  # the mount manager reads the ports when it starts

failures=0
# check NAME EXPECTED ACTUAL
check() {
  if [ "$2" != "$3" ]; then
    printf 'FAILED %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
# skelv ARGS...: its stdout, then "status N"; stderr is in $work/stderr.
skelv() {
  local status=0 out
  out=$(cd "$work" && run "$skelv_exe" "$@" 2>"$work/stderr") || status=$?
  [ -n "$out" ] && printf '%s\n' "$out"
  printf 'status %d' "$status"
}

# The machine's own ports (Wine adds its /dev/ttyS* too) are left out.
listed=$(skelv ports | grep -E '^COM(1|2|3|10):|^status')
check "ports" "COM1: free
COM2: free
COM3: free
COM10: free
status 0" "$listed"
check "ports by pattern and by name" "COM1: free
COM10: free
COM12: not openable: File not found
status 0" "$(skelv ports 'com1*' COM12)"
check "a pattern matching nothing" "status 1" "$(skelv ports 'COM99*')"
check "its message" "skelv ports: no device matches COM99*" "$(tr -d '\r' <"$work/stderr")"

skelv defaults -o site.qrs >/dev/null
skelv set site.qrs scanningMode=Continuous >/dev/null
check "download --verify to two scanners at once" "COM1: ok
COM2: ok
status 0" "$(skelv download site.qrs --port COM1 --port COM2 --verify --log fleet.csv)"
for n in 1 2; do
  if ! cmp -n 254 "$work/site.qrs" "$SKELV_SIM_DIR/scanner$n.qrs"; then
    echo "FAILED: the scanner on COM$n does not hold site.qrs"
    failures=$((failures + 1))
  fi
done
stamp='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}[+-][0-9]{4}'
log=$(sed -E "s/^$stamp,/TIME,/" "$work/fleet.csv" | tr -d '\r')
check "the log" "time,port,version,result,differing fields
TIME,COM1,Ver:2.00,ok,
TIME,COM2,Ver:2.00,ok," "$log"
check "a read-back that differs, a port that is absent" "COM3: failed: the read-back differs in scanningMode
COM12: failed: cannot open: File not found
status 1" "$(skelv download site.qrs --port COM3 --port COM12 --verify)"
check "diff against a scanner" "status 0" "$(skelv diff site.qrs --port COM2)"
check "apply --check, to COM1 and COM10 by pattern" "COM1: unchanged
COM10: would change: scanningMode
status 0" "$(skelv apply site.qrs --port 'COM1*' --check)"
check "apply" "COM1: unchanged
COM10: changed (1 fields)
status 0" "$(skelv apply site.qrs --port 'COM1*')"
check "probe: the factory settings first" "COM1: 9600 8 data bits, parity none (Ver:2.00)
status 0" "$(skelv probe --port COM1)"
check "simulate" "status 1" "$(skelv simulate --reply nak)"
check "its message" "skelv simulate: runs on Linux only (the scanner answers on a pseudo-terminal)" \
  "$(tr -d '\r' <"$work/stderr")"

[ "$failures" -eq 0 ] && echo "skelv.exe under Wine: all checks passed"
exit $((failures > 0))
