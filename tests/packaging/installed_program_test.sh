#!/usr/bin/env bash
# installed_program_test.sh <setup.exe> <work-dir>
#
# The shipped program as a user gets it, seen from outside: in a fresh Wine prefix on a private
# display the installer runs silently and puts the program folder and the example scans in
# place; the installed program starts, its main window "Lorvane 3D" appears, Alt+F4 closes it
# and it leaves its settings.cfg behind; started again with an example scan on its command line
# it names the scan in its caption and draws it (the drawing area holds many colours, not the
# one or two of an empty area); the silent uninstaller then removes what was installed and
# keeps the user's settings. Every wait is for a condition, bounded by minutes (a busy machine
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
