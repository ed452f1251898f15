#!/usr/bin/env bash
# run_command_test.sh <setup.exe> <scan.dmo> <work-dir>
#
# scripts/run.sh --screenshot given what is not a scan, as a user gives it: a folder is refused
# before anything starts; a damaged scan (the first bytes of <scan.dmo>), which the program
# answers with a message box, ends run.sh as soon as the box shows rather than after its waits,
# with the box's picture in the screenshot's place. Each fails with the reason on the error
# output. run.sh installs <setup.exe> into a Wine prefix of the test's own
# on a private display; a generous time-out only stops a hang.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/checks.sh"
source "$here/../../scripts/wine-prefix.sh"
installer=$(realpath "$1")
scan=$(realpath "$2")
work=$(mkdir -p "$3" && cd "$3" && pwd)
home=$work/home
rm -rf "$home" "$work"/*.png "$work"/*.err
# run.sh ends its private display and Wine itself; this is for a run.sh the time-out stopped.
trap 'l3d_stop_wine "$home/xvfb" "$home/prefix"' EXIT

status=0
run() {  # run <name> <arguments...>: run.sh with the screenshot <name>.png, its errors in <name>.err
  local name=$1; shift
  env -u DISPLAY L3D_WINE_HOME="$home" L3D_RUN_INSTALLER="$installer" \
    timeout 900 bash "$here/../../scripts/run.sh" --screenshot "$work/$name.png" "$@" \
    >/dev/null 2>"$work/$name.err"
  status=$?
}
says() {  # says <name> <text>: the errors of run <name> hold <text>
  grep -qF -- "$2" "$work/$1.err" || { echo "run.sh said: $(cat "$work/$1.err")" >&2; false; }
}

mkdir -p "$work/Scans"
run folder "$work/Scans"
check "a folder fails" test "$status" -ne 0
check "a folder is named as what it is" says folder "run: $work/Scans is a folder, not a scan file"
check "nothing started for a folder: no prefix made" test ! -e "$home/prefix"
check "no picture for a folder" test ! -e "$work/folder.png"

head -c 300 "$scan" > "$work/damaged.dmo"
run damaged "$work/damaged.dmo"
check "a damaged scan fails" test "$status" -ne 0 -a "$status" -ne 124
check "a damaged scan's message box is named" says damaged 'run: the program shows the message box "Error"'
narrower() {  # narrower <png> <pixels>: a picture less wide than that
  local width
  width=$(identify -format %w "$1" 2>/dev/null) && [ "$width" -lt "$2" ]
}
check "the picture is the message box's, not a main window's as wide as the display" \
  narrower "$work/damaged.png" 1000
finish
