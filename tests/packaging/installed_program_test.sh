#!/usr/bin/env bash
# installed_program_test.sh <setup.exe> <work-dir>
#
# The shipped program as a user gets it, seen from outside: in a fresh Wine prefix on a private
# display the installer runs silently and puts the program folder and the example scans in
# place; the installed program starts, its main window "Lorvane 3D" appears, Alt+F4 closes it
# and it leaves its settings.cfg behind; started again with an example scan on its command line
# it names the scan in its caption and draws it (the drawing area holds many colours, not the
# one or two of an empty area); the undo snapshot of each program goes with it, also when its
# Wine process is killed outright, and no start touches another running program's; the silent
# uninstaller then removes what was installed and keeps the user's settings. Every wait is for a condition, bounded by minutes (a busy machine
# is slow, never endless).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-prefix.sh"
installer=$(realpath "$1")
work=$(mkdir -p "$2" && cd "$2" && pwd)

patience=300  # seconds for any one wait
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

# A fresh prefix and display every time; both end with the test.
l3d_stop_wine "$work"
rm -rf "$work/prefix"
l3d_wine_environment "$work/prefix"
l3d_use_private_display "$work"
trap 'l3d_stop_wine "$work"' EXIT
l3d_init_prefix || exit 1
l3d_set_managed N

drive_c="$WINEPREFIX/drive_c"
program="$drive_c/Program Files/Lorvane 3D"
user=$(basename "$(ls -d "$drive_c"/users/* | grep -v /Public$ | head -n 1)")
examples="$drive_c/users/$user/Documents/Lorvane 3D/Examples"
settings="$drive_c/users/$user/AppData/Roaming/Lorvane 3D/settings.cfg"
has_files() { compgen -G "$1" >/dev/null; }

# Install.
check "the silent installer succeeds" l3d_install "$installer"
for f in Lorvane3D.exe Lorvane3D.dat Lorvane3D.lng help/l3d-en.pdf help/l3d-de.pdf Uninstall.exe; do
  check "$f is in the program folder" test -f "$program/$f"
done
check "the device files are in the program folder" has_files "$program/*.dvc"
check "no stand-in USB library is shipped" test ! -e "$program/FTD2XX.DLL"
check "the example scans are in the user's documents" has_files "$examples/*.dmo"
[ "$failed" -eq 0 ] || finish

# Start, find the main window, close it as a user does.
check "no settings before the first start" test ! -e "$settings"
cd "$program"
l3d_run_program "$program/Lorvane3D.exe" >/dev/null 2>&1 &
pid=$!
window=$(l3d_main_window "$pid" $patience)
check "xdotool finds the main window \"Lorvane 3D\"" test -n "$window"
if [ -n "$window" ]; then
  check "the title is the program's" test "$(xdotool getwindowname "$window")" = "Lorvane 3D"
  check "Alt+F4 closes the program" l3d_close_window "$window" "$pid" $patience
fi
kill "$pid" 2>/dev/null
wait "$pid"
check "the program ends with exit code 0" test $? -eq 0
check "the program wrote settings.cfg" test -s "$settings"

# Start with an example scan on the command line: the scan is opened and drawn.
example="$examples/Field with metal object.dmo"
check "the example \"Field with metal object\" is installed" test -f "$example"
l3d_run_program "$program/Lorvane3D.exe" "$(winepath -w "$example")" >/dev/null 2>&1 &
pid=$!
window=$(l3d_main_window "$pid" $patience)
check "the main window appears with the example" test -n "$window"
if [ -n "$window" ]; then
  check "the caption names the example" \
    bash -c '[[ $(xdotool getwindowname "$1") == *"Field with metal object.dmo"* ]]' - "$window"
  picture=$(l3d_wait_drawn "$window" $patience 16)
  check "the example is drawn: the drawing area holds more than 16 colours" test -n "$picture"
  if [ -n "$picture" ] && [ -n "${L3D_SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$L3D_SCREENSHOT_DIR" && cp "$picture" "$L3D_SCREENSHOT_DIR/installed_program_example.png"
  fi
  [ -n "$picture" ] && rm -rf "$(dirname "$picture")"
  check "Alt+F4 closes the program with the scan" l3d_close_window "$window" "$pid" $patience
fi
kill "$pid" 2>/dev/null
wait "$pid"
check "the program with the scan ends with exit code 0" test $? -eq 0

# The undo snapshots in the temporary folder. A snapshot that no program holds (one an earlier
# version left) goes at the next start; the snapshot of a running program survives the start of
# another; a program killed with kill -9 with a scan open leaves none, nor does one that ends.
temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
check "the prefix has a temporary folder" test -d "$temp"
snapshots() { ls "$temp" 2>/dev/null | grep -iE '^l3d[0-9a-f]{4}\.tmp$' | sort; }
snapshots_hold() { [ -n "$1" ] && snapshots | grep -qxF "$1"; }  # snapshots_hold <name>
snapshots_lack() { ! snapshots_hold "$1"; }
count_is() {  # count_is <n>: waits until there are <n> snapshots
  local deadline=$((SECONDS + patience))
  until [ "$(snapshots | grep -c .)" -eq "$1" ]; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
# start_with_example <known windows...>: starts the program with the example and waits until a
# main window that is none of <known windows> names a scan (the scan and its snapshot are in
# then); sets $pid and $window.
start_with_example() {
  local deadline=$((SECONDS + patience)) w
  l3d_run_program "$program/Lorvane3D.exe" "$(winepath -w "$example")" >/dev/null 2>&1 &
  pid=$!
  window=""
  while [ -z "$window" ] && [ $SECONDS -lt $deadline ] && kill -0 "$pid" 2>/dev/null; do
    for w in $(xdotool search --onlyvisible --name '^Lorvane 3D - ' 2>/dev/null); do
      [[ " $* " == *" $w "* ]] || window=$w
    done
    sleep 0.2
  done
  [ -n "$window" ]
}
# own_process <window>: the Linux process of this prefix's program that shows <window>.
own_process() {
  local p
  p=$(xdotool getwindowpid "$1" 2>/dev/null) &&
    grep -q 'Lorvane3D\.exe' "/proc/$p/cmdline" 2>/dev/null &&
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
    echo "$p"
}
printf 'left behind' >"$temp/l3dBEEF.tmp"
cd "$program"
check "a first program opens the example" start_with_example
first_pid=$pid first_window=$window first_snapshot=$(snapshots)
check "its start removed the snapshot that no program held" test ! -e "$temp/l3dBEEF.tmp"
check "it holds a snapshot of its own" count_is 1
check "a second program opens the example" start_with_example "$first_window"
second_pid=$pid second_window=$window
check "the first program's snapshot survives the second one's start" snapshots_hold "$first_snapshot"
check "the second program holds a snapshot of its own" count_is 2
second_snapshot=$(snapshots | grep -vxF "$first_snapshot")
killed=$(own_process "$first_window")
check "the first program's own process is found" test -n "$killed"
if [ -n "$killed" ]; then
  kill -9 "$killed"
  check "the killed program's snapshot goes with it" count_is 1
fi
wait "$first_pid" 2>/dev/null
check "the program starts again with the example" start_with_example "$second_window"
third_pid=$pid third_window=$window
check "no snapshot of the killed program is left" snapshots_lack "$first_snapshot"
check "the second program's snapshot is left" snapshots_hold "$second_snapshot"
check "the program started again holds a snapshot of its own" count_is 2
# The newest program first: without a window manager the keys reach only the window that Wine
# made active, which is the newest program's, and then the one left.
for closing in "$third_window $third_pid" "$second_window $second_pid"; do
  read -r w p <<<"$closing"
  check "Alt+F4 closes a program with the example" l3d_close_window "$w" "$p" $patience
  kill "$p" 2>/dev/null
  wait "$p"
  check "the program ends with exit code 0" test $? -eq 0
done
check "no snapshot is left when the programs have ended" count_is 0
cd "$work"

# Uninstall: the uninstaller copies itself away and returns at once; the copy removes the
# program folder, and the server's end is the end of every process in the prefix.
gone() {  # gone <path>: waits until <path> no longer exists
  local deadline=$((SECONDS + patience))
  while [ -e "$1" ] && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  [ ! -e "$1" ]
}
wine "$program/Uninstall.exe" /S >/dev/null 2>&1
check "the uninstaller removes the program folder" gone "$program"
timeout $patience wineserver -w
check "the uninstaller removes the example scans" test ! -e "$examples"
check "the user's settings stay" test -s "$settings"
finish
