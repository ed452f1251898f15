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
if wineserver -p </dev/null >/dev/null 2>&1 9>&-; then  # fails when it runs already
  # A new server: the first program would start Wine's own services (which live as long as the
  # server) with its output, and a test runner would wait for them to close it. They start here
  # instead, with none.
  [ ! -f "$state/$L3D_PREFIX_STAMP" ] || wineboot </dev/null >/dev/null 2>&1 9>&- || true
fi
l3d_ready_prefix "$state" N
exec 9>&-

exec wine "$@"
