#!/usr/bin/env bash
# The speed figures in one go, printed, never checked: the open of a 532,480-point scan against
# a numpy reader of the same file (natively, and the open under Wine against the same numpy
# figure), the display-list memory per triangle under Wine with Mesa, and the frames per
# second of the main window while a drag turns a 250 x 250 scan.
#   bash scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
native="$root/build/native"
win="$root/build/win32"
wine_run() { bash "$root/cmake/wine-run.sh" "$win/wine" "$@"; }

bash scripts/setup.sh
for preset in native win32; do
  cmake --preset "$preset" >/dev/null
done
cmake --build "$native" --target open_compare >/dev/null
cmake --build "$win" --target open_compare render_bench mainroad_bench >/dev/null
trap 'bash scripts/stop-wine.sh build/win32/wine' EXIT

echo "== Opening a 1040 x 512 radar profile: the program against a numpy reader (native)"
out="$("$native/bench/open_compare" 21)"
echo "$out"
numpy_ms="$(echo "$out" | awk '/^numpy reader/ { for (i = 1; i <= NF; i++) if ($i == "processor") { print $(i + 1); exit } }')"

echo "== The same open under Wine (ratio to the native numpy reader's processor time)"
wine_run "$win/bench/open_compare.exe" 21 "$numpy_ms"

echo "== Display-list memory per triangle under Wine with Mesa (one process per list)"
for c in "250 2" "250 3" "500 2" "250 4" "1001 2"; do
  # shellcheck disable=SC2086
  wine_run "$win/tools/render_bench.exe" 0 memory $c | head -n 1
done
wine_run "$win/tools/render_bench.exe" 0 memory 2 2 | tail -n 1

echo "== Frames per second in the main window while a drag turns a 250 x 250 scan (Wine)"
wine_run "$win/tests/app/mainroad_bench.exe" --gtest_filter='*FramesPerSecond*:*FirstFrame*' | grep -v '^\['
