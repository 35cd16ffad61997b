#!/usr/bin/env bash
# Runs the Windows tests through CTest in the project's private Wine prefix.
# The prefix and a persistent wineserver are started first with their output
# sent away: Wine's background processes would otherwise hold CTest's pipes open.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX=$PWD/build/windows/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
wineboot -i >/dev/null 2>&1 </dev/null
status=0
ctest --preset windows "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
