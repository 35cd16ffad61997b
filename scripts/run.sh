#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null && cmake --build --preset native
cmake --preset windows >/dev/null && cmake --build --preset windows
build/native/bin/skelv --help
build/native/bin/skelv defaults -o build/factory.qrs
echo "Wrote the factory settings to build/factory.qrs"
