#!/usr/bin/env bash
# Runs gui_tests under Wine with Wine drawing its own window frames: on Xvfb
# there is no window manager, and closing a window it would manage costs a
# two-second wait for one.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
"$here/scripts/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
exec "$here/scripts/wine-run" "$@"
