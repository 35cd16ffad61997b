#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target on its seed corpus.
#   scripts/fuzz.sh            a smoke: a fixed number of runs of each target
#   scripts/fuzz.sh 600        each target for 600 seconds
# New inputs go to build/fuzz/corpus/<target>; a failing input is left in
# build/fuzz/findings/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-}
targets=(report key_string settings_file simulator transfer)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
rm -rf build/fuzz/findings
mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  work=build/fuzz/corpus/$target
  mkdir -p "$work"
  if [ -n "$seconds" ]; then
    limit=(-max_total_time="$seconds" -print_final_stats=1)
  else
    limit=(-runs=20000 -seed=1)
  fi
  echo "== ${target}_fuzz"
  log=build/fuzz/$target.log
  if ! build/fuzz/bin/${target}_fuzz "${limit[@]}" -artifact_prefix=build/fuzz/findings/ \
       "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "${target}_fuzz failed; the input is in build/fuzz/findings/"
    exit 1
  fi
  grep -E '^Done|stat::number_of_executed_units' "$log"
done
