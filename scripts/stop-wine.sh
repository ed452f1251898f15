#!/usr/bin/env bash
# stop-wine.sh <state-dir>: ends the private display and wine server started by cmake/wine-run.sh.
state="$1"
[ -d "$state" ] || exit 0
WINEPREFIX="$state/prefix" wineserver -k >/dev/null 2>&1 || true
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  rm -f "$state/xvfb.pid" "$state/display"
fi
