#!/usr/bin/env bash
# The speed figures in one go, printed, never checked: the open of a 532,480-point scan against
# a numpy reader of the same file (natively, and the open under Wine against the same numpy
# figure), the display-list memory per triangle under Wine with Mesa, the frames per second of
# the main window while a drag turns a 250 x 250 scan, and the time from the open command to
# the first frame for square scans of 250, 1000 and 3000 points a side.
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
cmake --build "$native" --target open_compare make_example_scans >/dev/null
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
wine_run "$win/tests/app/mainroad_bench.exe" --gtest_filter='*FramesPerSecond*' | grep -v '^\['

echo "== From the open command (Ctrl+O) to the first frame, each scan in a fresh program (Wine)"
# The scans come from the project's generator; each size runs in a process of its own, which
# is ended if it has drawn nothing after ten minutes.
scans="$win/bench-scans"
mkdir -p "$scans"
for size in 250 1000 3000; do
  "$native/tools/make_example_scans" --square "$size" "$scans/square$size.dmo"
done
for size in 250 1000 3000; do
  if ! L3D_BENCH_SCANS="Z:${scans//\//\\}" L3D_BENCH_SIZES="$size" timeout 600 \
      bash "$root/cmake/wine-run.sh" "$win/wine" "$win/tests/app/mainroad_bench.exe" \
      --gtest_filter='*FirstFrame*' | grep -v '^\['; then
    echo "open command to first frame, $size x $size: no figure (the program was ended after 600 s or failed)"
  fi
done

echo "== Large scans opened with the open command, each in a fresh program (Wine): the surface chosen"
echo "   (level, step, triangles drawn), the first frame, the peak address space, the longest silence"
echo "   (the 1000 x 1000 hill and the saw-tooth then go through levels 1-5 and back and the split"
echo "   screen on and off ten times: the address space in use after the first frame and after them)"
for scan in hill:1000 hill:2000 sawtooth:3000 noise:1000; do
  field=${scan%%:*}
  size=${scan##*:}
  cycles=0
  case $scan in hill:1000|sawtooth:3000) cycles=10 ;; esac
  [ -f "$scans/$field$size.dmo" ] || "$native/tools/make_example_scans" --square "$size" "$scans/$field$size.dmo" "$field"
  if ! L3D_BENCH_SCANS="Z:${scans//\//\\}" L3D_BENCH_LARGE="$scan" L3D_BENCH_CYCLES=$cycles timeout 1800 \
      bash "$root/cmake/wine-run.sh" "$win/wine" "$win/tests/app/mainroad_bench.exe" \
      --gtest_filter='*LargeScans*' | grep -v '^\['; then
    echo "$field $size x $size: no figure (the program was ended after 1800 s or failed)"
  fi
done
