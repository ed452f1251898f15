#!/usr/bin/env bash
# Sets up this machine, builds every preset and runs all tests: native, native with
# sanitizers, Windows under Wine, and each fuzz target for a bounded time.
#   FUZZ_SECONDS  seconds per fuzz target (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

for preset in native native-asan win32 fuzz; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

trap 'bash scripts/stop-wine.sh build/win32/wine' EXIT
status=0
for preset in native native-asan win32; do
  echo "== test $preset"
  ctest --preset "$preset" -j "$jobs" || status=1
done

echo "== fuzz"
bash scripts/fuzz.sh build/fuzz "${FUZZ_SECONDS:-30}" || status=1
exit $status
