#!/usr/bin/env bash
# Installs what is missing, builds the Win32 program and starts it under Wine.
# Without a display it runs on Xvfb instead and leaves a screenshot of its
# window in build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target skelvane
program=build/windows/bin/skelvane.exe
export WINEPREFIX=$PWD/build/windows/wineprefix
mkdir -p "$WINEPREFIX"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run "$program"
fi

screenshot=$PWD/build/screenshot.png
echo "No display: running $program on Xvfb for a screenshot"
# With no window manager on Xvfb, Wine draws the window frames itself.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  scripts/wine-run reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  scripts/wine-run "$1" &
  sleep 8
  import -window root "$2"
  wineserver -k
' run "$program" "$screenshot"
echo "The main window as it came up: $screenshot"
