#!/usr/bin/env bash
# Sets up this machine, builds every preset and runs all tests: native, native with
# sanitizers (clang; the same build makes the fuzz targets), Windows under Wine, and each fuzz
# target for a bounded time.
#   FUZZ_SECONDS  seconds per fuzz target (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

took() { echo "== $1 took $(( SECONDS - $2 )) s"; }
for preset in native native-asan win32; do
  echo "== build $preset"
  start=$SECONDS
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  took "build $preset" "$start"
done

trap 'bash scripts/stop-wine.sh build/win32/wine' EXIT
status=0
for preset in native native-asan win32; do
  echo "== test $preset"
  start=$SECONDS
  ctest --preset "$preset" -j "$jobs" || status=1
  took "test $preset" "$start"
done

echo "== fuzz"
bash scripts/fuzz.sh build/native-asan "${FUZZ_SECONDS:-30}" || status=1
exit $status
