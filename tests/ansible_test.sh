#!/usr/bin/env bash
# Runs the example playbook with Debian's ansible-core against localhost (local
# connection) on simulated scanners, as a site would run it twice: changed,
# then nothing changed and nothing downloaded; check mode with a changed field
# shows it and downloads nothing; a NAKing scanner fails its task with the
# reason; line auto finds a scanner at another rate. Also that ansible-doc
# shows the module and the collection's version is the project's.
#
# Usage: ansible_test.sh [NATIVE_SKELV]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
skelv=$(realpath "${1:-$here/build/native/bin/skelv}")
playbook=$here/packaging/ansible/scanners.yml
collections=$here/packaging/ansible/collections
work=$(mktemp -d)
export ANSIBLE_LOCAL_TEMP=$work/ansible ANSIBLE_REMOTE_TEMP=$work/ansible ANSIBLE_NOCOLOR=1 \
  ANSIBLE_RETRY_FILES_ENABLED=0 ANSIBLE_CONFIG=$work/none.cfg
failures=0
simulators=()
cleanup() {
  for pid in "${simulators[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${simulators[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

check() {  # NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/    /' || true
    failures=$((failures + 1))
  fi
}

# simulate NAME OPTIONS...: a simulator logging to $work/NAME.log; its device
# goes into the variable NAME.
simulate() {
  local name=$1
  shift
  mkfifo "$work/$name.out"
  "$skelv" simulate --log "$work/$name.log" "$@" >"$work/$name.out" &
  simulators+=($!)
  local device=
  read -r -t 10 device <"$work/$name.out" || true
  [ -n "$device" ] || { echo "ansible_test.sh: simulator $name printed no device" >&2; exit 1; }
  printf -v "$name" '%s' "$device"
}

# play OPTIONS... -- PORT...: the playbook on localhost without the package,
# the settings file from $work, with the ports given.
play() {
  local options=()
  while [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  local ports
  ports=$(printf '"%s",' "$@")
  ansible-playbook "$playbook" -i localhost, -c local --skip-tags install "${options[@]}" \
    -e "{\"scanner_hosts\": \"localhost\", \"skelv_become\": false, \
\"ansible_python_interpreter\": \"/usr/bin/python3\", \"skelv_executable\": \"$skelv\", \
\"settings_file\": \"$work/site.qrs\", \"settings_dir\": \"$work/etc\", \"scanner_ports\": [${ports%,}]}"
}

# The task lines of a run: "TASK NAME: STATUS", and the recap's counts.
outcome() {
  awk '/^TASK \[/ { task = substr($0, 7); sub(/\].*/, "", task) }
       /^(ok|changed|failed|fatal): \[localhost\]/ { s = $1; sub(/:$/, "", s); print task ": " s }
       /^localhost +: / { sub(/^localhost +: +/, ""); gsub(/ +/, " "); sub(/ $/, ""); print }' "$1"
}

# Commands in a simulator's log other than VERSION and block reads.
writes() {
  grep -cvE '^(VERSION|R.010)$' "$work/$1.log" || true
}

"$skelv" defaults -o "$work/site.qrs"
"$skelv" set "$work/site.qrs" scanningMode=Continuous 'suffix=[HT]'
simulate first --store "$work/first.qrs"
simulate second
simulate naks --reply nak

play -- "$first" "$second" >"$work/run1" 2>&1 || true
check "the first run changes both scanners" "Gathering Facts: ok
Make the settings folder: changed
Copy the settings file: changed
Bring the scanners to the settings file: changed
ok=4 changed=3 unreachable=0 failed=0 skipped=2 rescued=0 ignored=0" "$(outcome "$work/run1")"
check "both scanners were downloaded to, once" "17 17" "$(writes first) $(writes second)"
check "the first scanner holds the file" \
  "$(head -c 254 "$work/site.qrs" | od -An -tx1)" "$(head -c 254 "$work/first.qrs" | od -An -tx1)"

play -v -- "$first" "$second" >"$work/run2" 2>&1 || true
check "the second run changes nothing" "Gathering Facts: ok
Make the settings folder: ok
Copy the settings file: ok
Bring the scanners to the settings file: ok
ok=4 changed=0 unreachable=0 failed=0 skipped=2 rescued=0 ignored=0" "$(outcome "$work/run2")"
check "the second run downloads nothing" "17 17" "$(writes first) $(writes second)"
check "the second run read both scanners (the first read and verified)" "3 3" \
  "$(grep -c '^RF010$' "$work/first.log") $(grep -c '^RF010$' "$work/second.log")"

# A third scanner already holds the changed file: the task changes when any
# scanner would.
"$skelv" set "$work/site.qrs" scanningMode=Momentary
simulate current --image "$work/site.qrs"
play --check --diff -- "$first" "$second" "$current" >"$work/run3" 2>&1 || true
check "check mode would change the file and two scanners" "Gathering Facts: ok
Make the settings folder: ok
Copy the settings file: changed
Copy the new settings file for the check: ok
Bring the scanners to the settings file: changed
Remove the copy for the check: ok
ok=6 changed=2 unreachable=0 failed=0 skipped=0 rescued=0 ignored=0" "$(outcome "$work/run3")"
check "check mode leaves the host's settings file as it was" \
  "site.qrs scanningMode = Continuous" "$(ls "$work/etc") $("$skelv" get "$work/etc/site.qrs" scanningMode)"
check "check mode shows the field for the two scanners" "--- before: $first
+++ after: $first
@@ -1 +1 @@
-scanningMode = Continuous
+scanningMode = Momentary
--- before: $second
+++ after: $second
@@ -1 +1 @@
-scanningMode = Continuous
+scanningMode = Momentary" "$(grep -E '^(---|\+\+\+|@@|-|\+)' "$work/run3")"
check "check mode downloads nothing" "17 17 0" "$(writes first) $(writes second) $(writes current)"
check "the scanners keep the old scan mode" "scanningMode = Continuous" \
  "$("$skelv" get "$work/first.qrs" scanningMode)"

injected="$work/no-such-device;touch $work/injected"
play -- "$naks" "$injected" >"$work/run4" 2>&1 || true
check "a NAKing scanner fails the task" "Gathering Facts: ok
Make the settings folder: ok
Copy the settings file: changed
Bring the scanners to the settings file: fatal
ok=3 changed=1 unreachable=0 failed=1 skipped=2 rescued=0 ignored=0" "$(outcome "$work/run4")"
check "the task's message is each failed port's reason" \
  "$naks: block 0: 4 replies other than \"ACK\" or \"DONE\"; $injected: cannot open: No such file or directory" \
  "$(sed -n 's/^fatal: \[localhost\]: FAILED! => //p' "$work/run4" |
    python3 -c 'import json, sys; print(json.load(sys.stdin)["msg"])')"
check "a port name runs no command" "" "$(ls "$work" | grep injected || true)"

simulate slow --baud 2400
play -e scanner_line=auto -- "$slow" >"$work/run5" 2>&1 || true
check "line auto finds a scanner at 2400 baud and changes it" \
  "Bring the scanners to the settings file: changed" \
  "$(outcome "$work/run5" | grep '^Bring')"
check "the scanner at 2400 baud holds the file" "17" "$(writes slow)"

check "ansible-doc shows the module" "> TAVRENLOK.SKELVANE.SCANNER_SETTINGS
= port
= src
EXAMPLES:
RETURN VALUES:" "$(ANSIBLE_COLLECTIONS_PATH=$collections ansible-doc tavrenlok.skelvane.scanner_settings |
  grep -E '^(> [A-Z.]+_[A-Z]+|= [a-z]+|EXAMPLES:|RETURN VALUES:)' | sed 's/ *(.*//')"
check "the collection's version is the project's" \
  "$(sed -n 's/^project(skelvane VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")" \
  "$(sed -n 's/^version: //p' "$collections/ansible_collections/tavrenlok/skelvane/galaxy.yml")"

[ "$failures" -eq 0 ] || { echo "ansible_test.sh: $failures checks failed"; exit 1; }
