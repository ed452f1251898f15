#!/usr/bin/env bash
# stop-wine.sh <state-dir>: ends the private display and wine server started by cmake/wine-run.sh.
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
[ -d "$1" ] || exit 0
state=$(cd "$1" && pwd)  # wine takes only an absolute prefix
l3d_stop_wine "$state"
