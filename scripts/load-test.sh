#!/usr/bin/env bash
# The whole test suite several times in a row while two busy processes keep both cores loaded:
# a test that only passes on an idle machine waits on time instead of on its event.
# Usage: scripts/load-test.sh [rounds, default 5] [build dir, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
build=${2:-build}
[ -f "$build/CTestTestfile.cmake" ] || { echo "no build in $build: run make build first" >&2; exit 2; }
cmake --build "$build"

busy=()
stop_busy() {
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait "${busy[@]}" 2>/dev/null || true
}
trap stop_busy EXIT
for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done
echo "load: two busy processes (${busy[*]}) on $(nproc) cores"

failed=0
for round in $(seq "$rounds"); do
  start=$(date +%s)
  if (cd "$build" && ctest --output-on-failure -j1 >"ctest-load-$round.log" 2>&1); then
    result=passed
  else
    result=FAILED
    failed=$((failed + 1))
    grep -E '^\s+[0-9]+ - ' "$build/ctest-load-$round.log" || true
  fi
  echo "round $round of $rounds: $result in $(($(date +%s) - start)) s ($(grep -E 'tests passed' "$build/ctest-load-$round.log"))"
done
echo "load: $((rounds - failed)) of $rounds rounds passed"
[ "$failed" -eq 0 ]
