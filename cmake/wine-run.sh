#!/usr/bin/env bash
# wine-run.sh <state-dir> <program.exe> [args...]
# Runs a Windows program under Wine with a prefix and a private Xvfb display kept in
# <state-dir> (inside the build tree). The first call creates both; later calls reuse them.
# scripts/stop-wine.sh <state-dir> ends the display and the wine server again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-prefix.sh"
state=$(mkdir -p "$1" && cd "$1" && pwd); shift

l3d_wine_environment "$state/prefix"

(
  # Waiting longer than a prefix takes to create means something holds the lock for good.
  flock -w 300 9 || { echo "wine-run: $state/lock stays busy" >&2; exit 1; }
  # The display and the wine server outlive this call; they must not inherit the lock.
  l3d_display_alive "$state" || l3d_start_xvfb "$state" 9>&-
  if [ ! -f "$state/$L3D_PREFIX_STAMP" ]; then
    DISPLAY=$(cat "$state/display") l3d_init_prefix 9>&-
    DISPLAY=$(cat "$state/display") l3d_set_managed N 9>&-
    touch "$state/$L3D_PREFIX_STAMP"
  fi
) 9>"$state/lock"

export DISPLAY=$(cat "$state/display")
exec wine "$@"
