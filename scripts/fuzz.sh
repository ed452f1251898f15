#!/usr/bin/env bash
# fuzz.sh <build-dir> <seconds-per-target> [target...]   (build-dir: build/native-asan)
# Runs each libFuzzer target (all fuzz_* executables when none is named) for the given time,
# a few at once. The corpus grows under the build folder, seeded from tests/data/fuzz/<name>/;
# a crashing input is left under <fuzz-build-dir>/artifacts/<name>/ and fails the run.
# Keep such an input under tests/data/fuzz/<name>/ so that the replay test runs it ever after.
set -uo pipefail
build=$1; seconds=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  while IFS= read -r exe; do targets+=("$(basename "$exe")"); done \
    < <(find "$build" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x | sort)
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 0; }

parallel=$(( $(nproc) / 2 )); [ "$parallel" -ge 1 ] || parallel=1
run_one() {
  local exe name corpus artifacts
  exe=$(find "$build" -maxdepth 3 -type f -name "$1" | head -n 1)
  name=${1#fuzz_}
  corpus="$build/corpus/$name"; artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  local seeds="$root/tests/data/fuzz/$name"; [ -d "$seeds" ] || seeds=""
  if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "$corpus" $seeds > "$build/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$build/$name.log" | grep -o '[0-9]*$') runs in ${seconds}s, no finding"
  else
    echo "fuzz $name: FINDING, see $build/$name.log and $artifacts/"
    tail -n 30 "$build/$name.log"
    return 1
  fi
}

failed=0; running=0
for t in "${targets[@]}"; do
  run_one "$t" & running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then wait -n || failed=1; running=$((running - 1)); fi
done
while [ "$running" -gt 0 ]; do wait -n || failed=1; running=$((running - 1)); done
exit $failed
