#!/usr/bin/env bash
# Start-up benchmark (not a test): times skelvane.exe from its start to its
# main window showing the report, against a bare window with a rich edit
# holding the same report, in the same run under Wine and Xvfb; then the
# rebuild of the report after a sheet closes, against the same rich edit
# taking the report anew.
# Usage: scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-25}
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target skelvane startup_launcher reference_window rebuild_bench >/dev/null
export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineserver -p >/dev/null 2>&1 </dev/null
  wineboot -i >/dev/null 2>&1 </dev/null
  wine reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  bin=build/windows/bin
  wine $bin/startup_launcher.exe $bin/skelvane.exe $bin/reference_window.exe 1 >/dev/null  # warm up
  echo "median, min, max in ms over $1 starts each"
  wine $bin/startup_launcher.exe $bin/skelvane.exe $bin/reference_window.exe "$1" | tr -d "\r"
  echo "rebuilding the report, median, min, max in ms over 50 rebuilds each"
  wine $bin/rebuild_bench.exe 50 | tr -d "\r"
  wineserver -k
' bench "$runs"
