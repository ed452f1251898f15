#!/usr/bin/env bash
# stop-wine.sh <state-dir>: ends the private display and wine server started by cmake/wine-run.sh.
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
state="$1"
[ -d "$state" ] || exit 0
l3d_stop_wine "$state"
