#!/usr/bin/env bash
# wine-run.sh <state-dir> <program.exe> [args...]
# Runs a Windows program under Wine with a prefix and a private Xvfb display kept in
# <state-dir> (inside the build tree). The first call creates both; later calls reuse them.
# scripts/stop-wine.sh <state-dir> ends the display and the wine server again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-prefix.sh"
state=$(mkdir -p "$1" && cd "$1" && pwd); shift

l3d_wine_environment "$state/prefix"

# The lock is held from here until the display and the prefix are ready. Waiting longer than a
# prefix takes to create on a busy machine means something holds it for good.
exec 9>"$state/lock"
flock -w 1200 9 || { echo "wine-run: $state/lock stays busy" >&2; exit 1; }
# The display and the wine server outlive this call; they must not inherit the lock.
l3d_use_private_display "$state" 9>&-
# One wine server for all the runs, kept until scripts/stop-wine.sh ends it: a server that ends
# whenever no program runs for a moment races with the start of the next one.
mkdir -p "$WINEPREFIX"
# It must not hold this call's output open (a test runner waits for its end).
wineserver -p </dev/null >/dev/null 2>&1 9>&- || true  # fails when it runs already
l3d_ready_prefix "$state" N
exec 9>&-

# Wine starts processes of its own now and then (the desktop's explorer.exe, its services) from
# the program that happens to need them; they live on with that program's output open, and a
# test runner reading it through a pipe would wait for them. So the program writes into files,
# which are passed on while it runs and no longer once it has ended.
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
: >"$out/stdout"
: >"$out/stderr"
wine "$@" >"$out/stdout" 2>"$out/stderr" &
program=$!
tail -s 0.1 -n +1 -f --pid=$program "$out/stdout" &
passing=$!
tail -s 0.1 -n +1 -f --pid=$program "$out/stderr" >&2 &
passing="$passing $!"
status=0
wait $program || status=$?
# shellcheck disable=SC2086
wait $passing || true  # the program's status is what counts
exit $status
