#!/usr/bin/env bash
# run.sh [--screenshot FILE [--keys KEYS]] [scan files | -locale ...]
#
# Sets up what this machine lacks (as the tests do), builds the Windows program and its
# installer, installs the program silently into a Wine prefix of the user's and starts it with
# the given scan files and language (for example -de_DE) on the user's display. Without a
# display it runs on a private Xvfb display and says how to look at it.
#   --screenshot FILE  saves a picture of the main window (PNG) once it is drawn, then ends
#                      the program. With scan files, it waits until a scan is drawn.
#   --keys KEYS        presses KEYS (xdotool's names, e.g. ctrl+m) in the drawn main window
#                      before the picture is taken.
#   L3D_WINE_HOME      where the prefix lives (default ~/.local/share/lorvane3d).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-prefix.sh"

usage() { sed -n '2,13s/^# \{0,1\}//p' "$0"; }

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
    *) [ -e "$1" ] || { echo "run: no such file: $1" >&2; exit 2; }
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
bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target installer
installer=$(ls -t build/win32/packages/Lorvane3D-*-setup.exe | head -n 1)

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
  window=$(l3d_main_window "$pid" 300) || { echo "run: the main window did not appear" >&2; kill "$pid" 2>/dev/null; exit 1; }
  # A drawn scan fills the drawing area with many colours; an empty one has one or two.
  colours=${scans:+16}
  drawn() { l3d_wait_drawn "$window" 300 $colours || { echo "run: the main window was not drawn" >&2; kill "$pid" 2>/dev/null; exit 1; }; }
  picture=$(drawn)
  if [ -n "$keys" ]; then
    l3d_press_keys "$window" $keys
    l3d_wait_changed "$window" "$picture" 300 || { echo "run: the keys $keys changed nothing" >&2; kill "$pid" 2>/dev/null; exit 1; }
    rm -rf "$(dirname "$picture")"
    picture=$(drawn)
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
