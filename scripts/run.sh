#!/usr/bin/env bash
# run.sh [--screenshot FILE [--keys KEYS]] [scan files | -locale ...]
#
# Sets up what this machine lacks (as the tests do), builds the Windows program and its
# installer, installs the program silently into a Wine prefix of the user's and starts it with
# the given scan files and language (for example -de_DE) on the user's display. Without a
# display it runs on a private Xvfb display and says how to look at it. An argument that is not
# a file (a folder, say) is refused before anything starts.
#   --screenshot FILE  saves a picture of the main window (PNG) once it is drawn, then ends
#                      the program. With scan files, it waits until a scan is drawn. When the
#                      program shows a message box before that, or ends, run.sh says so at
#                      once and fails; FILE then shows the message box.
#   --keys KEYS        presses KEYS (xdotool's names, e.g. ctrl+m) in the drawn main window
#                      before the picture is taken.
#   L3D_WINE_HOME      where the prefix lives (default ~/.local/share/lorvane3d).
#   L3D_RUN_INSTALLER  an installer already built, installed as it is (nothing is set up or
#                      built then; the packaging tests give theirs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-prefix.sh"

usage() { sed -n '2,18s/^# \{0,1\}//p' "$0"; }

shot=""
keys=""
scans=""
args=()
while [ $# -gt 0 ]; do
  case $1 in
    --screenshot) [ $# -ge 2 ] || { usage >&2; exit 2; }; shot=$2; shift 2 ;;
    --screenshot=*) shot=${1#--screenshot=}; shift ;;
    --keys) [ $# -ge 2 ] || { usage >&2; exit 2; }; keys=$2; shift 2 ;;
    --keys=*) keys=${1#--keys=}; shift ;;
    -h|--help) usage; exit 0 ;;
    --) shift; args+=("$@"); break ;;
    -*) args+=("$1"); shift ;;   # a language such as -de_DE
    *) if [ -d "$1" ]; then
         echo "run: $1 is a folder, not a scan file" >&2; exit 2
       elif [ ! -e "$1" ]; then
         echo "run: no such file: $1" >&2; exit 2
       elif [ ! -f "$1" ]; then
         echo "run: $1 is not a regular file, so not a scan file" >&2; exit 2
       fi
       args+=("$(realpath "$1")"); scans=Y; shift ;;
  esac
done
if [ -n "$keys" ] && [ -z "$shot" ]; then usage >&2; exit 2; fi
if [ -n "$shot" ]; then
  shot=$(realpath -m "$shot")
  mkdir -p "$(dirname "$shot")"
fi

# Set up and build: the program, its files and the installer only, not the tests.
cd "$root"
if [ -n "${L3D_RUN_INSTALLER:-}" ]; then
  installer=$(realpath "$L3D_RUN_INSTALLER")
else
  bash scripts/setup.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target installer
  installer=$(ls -t build/win32/packages/Lorvane3D-*-setup.exe | head -n 1)
fi

home=${L3D_WINE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/lorvane3d}
mkdir -p "$home"
l3d_wine_environment "$home/prefix"

# The display: the user's when there is one that answers, else a private one.
private=""
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  managed=Y
else
  private="$home/xvfb"
  mkdir -p "$private"
  l3d_use_private_display "$private"
  managed=N
fi
trap 'if [ -n "$private" ]; then l3d_stop_wine "$private" "$WINEPREFIX"; fi' EXIT

# The prefix, made once; the program installed again whenever the installer changed.
(
  flock -w 600 9 || { echo "run: $home/lock stays busy" >&2; exit 1; }
  [ -f "$home/$L3D_PREFIX_STAMP" ] || echo "run: making the Wine prefix $WINEPREFIX"
  l3d_ready_prefix "$home"
  l3d_set_managed "$managed" 9>&-
  sum=$(sha256sum < "$installer")
  if [ "$sum" != "$(cat "$home/installed.sha256" 2>/dev/null)" ] || [ ! -f "$(l3d_installed_exe)" ]; then
    echo "run: installing $(basename "$installer")"
    l3d_install "$installer" 9>&- || { echo "run: the installer failed" >&2; exit 1; }
    echo "$sum" > "$home/installed.sha256"
  fi
) 9>"$home/lock"

# Scan files as the program sees them (Z: is the Linux root).
winargs=()
for a in ${args[@]+"${args[@]}"}; do
  case $a in
    -*) winargs+=("$a") ;;
    *) winargs+=("$(winepath -w "$a" 2>/dev/null)") ;;
  esac
done

exe=$(l3d_installed_exe)
cd "$(dirname "$exe")"

if [ -n "$shot" ]; then
  wine "$exe" ${winargs[@]+"${winargs[@]}"} >/dev/null 2>&1 &
  pid=$!
  # Every wait looks at the program too: when it ends or shows a message box (a file it cannot
  # open, say) before the picture is taken, run.sh says so at once instead of waiting out its
  # time. A message box's text is painted by the program, out of reach here: its caption is
  # named and its picture saved as FILE. After --keys, what they open is the picture's to show.
  watch_boxes=Y
  program_answers() {
    local box
    kill -0 "$pid" 2>/dev/null || return 1
    if [ -n "$watch_boxes" ] && box=$(l3d_program_dialog); then
      l3d_window_picture "$box" "$shot" || true
      echo "run: the program shows the message box \"$(xdotool getwindowname "$box" 2>/dev/null)\"" \
           "instead of its drawn main window (see $shot)" >&2
      return 1
    fi
  }
  L3D_WATCH=program_answers
  # give_up <status of the wait> <what did not happen>: the program is ended and run.sh fails,
  # saying why unless the watch did (status 2).
  give_up() {
    local status
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && status=0 || status=$?
      echo "run: the program ended (exit status $status) before its main window was drawn" >&2
    else
      [ "$1" -eq 2 ] || echo "run: $2" >&2
      kill "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null || true
    fi
    exit 1
  }
  window=$(l3d_main_window "$pid" 300) || give_up $? "the main window did not appear"
  # A drawn scan fills the drawing area with many colours; an empty one has one or two.
  colours=${scans:+16}
  picture=$(l3d_wait_drawn "$window" 300 $colours) || give_up $? "the main window was not drawn"
  if [ -n "$keys" ]; then
    watch_boxes=""
    l3d_press_keys "$window" $keys
    l3d_wait_changed "$window" "$picture" 300 || give_up $? "the keys $keys changed nothing"
    rm -rf "$(dirname "$picture")"
    picture=$(l3d_wait_drawn "$window" 300 $colours) || give_up $? "the main window was not drawn"
  fi
  mv "$picture" "$shot"
  rmdir "$(dirname "$picture")"
  l3d_close_window "$window" "$pid" 300 || { echo "run: the program did not end; stopping it" >&2; kill "$pid" 2>/dev/null; }
  wait "$pid" || true
  echo "run: saved $shot"
  exit 0
fi

if [ -n "$private" ]; then
  cat <<MSG
run: there is no display here, so Lorvane 3D runs on the private display $DISPLAY.
  A picture of it:   DISPLAY=$DISPLAY import -window root view.png
  Close it:          DISPLAY=$DISPLAY xdotool search --onlyvisible --name "^Lorvane 3D" windowfocus --sync key --window 0 alt+F4
                     (or Ctrl+C here)
  Next time:         scripts/run.sh --screenshot FILE saves the main window and ends.
MSG
fi
wine "$exe" ${winargs[@]+"${winargs[@]}"}
