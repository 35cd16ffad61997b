#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: natively,
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets for a
# fixed number of runs, the example Ansible playbook on simulators, for Windows
# under Wine and Xvfb, and last the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in native sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== the example playbook with ansible-core on simulators"
tests/ansible_test.sh build/native/bin/skelv

echo "== fuzz targets, a smoke on the seed corpora"
scripts/fuzz.sh

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-ctest.sh build/windows

echo "== packages"
xvfb-run -a -s "-screen 0 1280x1024x24" tests/packaging_test.sh
