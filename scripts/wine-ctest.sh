#!/usr/bin/env bash
# Runs the Windows tests of a build folder (default build/windows) through
# CTest in that folder's private Wine prefix. The prefix and a persistent
# wineserver are started first with their output sent away: Wine's background
# processes would otherwise hold CTest's pipes open.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/windows}
shift || true
case $build in /*) ;; *) build=$PWD/$build ;; esac
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
mkdir -p "$WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
wineboot -i >/dev/null 2>&1 </dev/null
status=0
ctest --test-dir "$build" --output-on-failure "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
