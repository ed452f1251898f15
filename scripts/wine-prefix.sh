# Wine for Lorvane 3D, sourced by cmake/wine-run.sh (the tests), scripts/run.sh, the installer
# test and docs/help/pictures.sh: the environment, a prefix that keeps to itself, a private X
# display, and the program's main window on a display.

# Fonts of Wine's own that the prefixes get. Wine draws the symbols of the caption buttons
# (minimise, maximise, close) with its Marlett font and shows plain letters without it.
# scripts/setup.sh takes the font out of Debian's fonts-wine package into this folder; the
# package itself stays uninstalled, since Wine would hand its other fonts (Tahoma, MS Sans Serif)
# to every prefix and so change the text of every window.
source "$(dirname "${BASH_SOURCE[0]}")/cache.sh"
L3D_WINE_FONTS=$L3D_CACHE/wine-fonts

# The mark that a prefix is set up as l3d_init_prefix sets it up now; a new name makes the
# scripts set up their older prefixes again.
L3D_PREFIX_STAMP=prefix.ready-4

# l3d_wine_environment <prefix>: the 32-bit prefix, quiet, and none of the add-ons that would
# ask to be downloaded or put menu entries on the Linux desktop.
l3d_wine_environment() {
  # Wine names the Linux files in the locale's character set; one that is not UTF-8 (the bare
  # C locale of a fresh login, say) has no names for the non-ASCII file names the tests use.
  if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
    export LC_ALL=C.UTF-8
  fi
  export WINEPREFIX="$1"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
}

# l3d_start_xvfb <state-dir>: starts a private display, leaving its name in <state-dir>/display
# and its process id in <state-dir>/xvfb.pid. The display outlives the caller.
l3d_start_xvfb() {
  local state=$1 fifo="$1/displayfd" n
  rm -f "$fifo"; mkfifo "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$fifo" </dev/null >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  read -r n < "$fifo"
  rm -f "$fifo"
  echo ":$n" > "$state/display"
}

# l3d_display_alive <state-dir>: the display of l3d_start_xvfb still runs.
l3d_display_alive() {
  [ -f "$1/display" ] && [ -f "$1/xvfb.pid" ] && kill -0 "$(cat "$1/xvfb.pid")" 2>/dev/null
}

# l3d_use_private_display <state-dir>: makes the display of l3d_start_xvfb in <state-dir> this
# shell's $DISPLAY, starting it unless it runs.
l3d_use_private_display() {
  l3d_display_alive "$1" || l3d_start_xvfb "$1"
  export DISPLAY=$(cat "$1/display")
}

# l3d_stop_xvfb <state-dir>: ends the display of l3d_start_xvfb.
l3d_stop_xvfb() {
  if [ -f "$1/xvfb.pid" ]; then
    kill "$(cat "$1/xvfb.pid")" 2>/dev/null || true
    rm -f "$1/xvfb.pid" "$1/display"
  fi
}

# l3d_stop_wine <state-dir> [<prefix>]: ends the wine server of <prefix> (default
# <state-dir>/prefix) and the display of l3d_start_xvfb in <state-dir>.
l3d_stop_wine() {
  WINEPREFIX=${2:-$1/prefix} wineserver -k >/dev/null 2>&1 || true
  l3d_stop_xvfb "$1"
}

# l3d_init_prefix: creates or updates $WINEPREFIX on $DISPLAY. Fails when the fonts of
# scripts/setup.sh are missing.
l3d_init_prefix() {
  wineboot -i >/dev/null 2>&1 || true
  # Wine takes every font in the prefix's Fonts folder; none needs registering.
  cp "$L3D_WINE_FONTS/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/" || {
    echo "wine-prefix: $L3D_WINE_FONTS/marlett.ttf is missing: run scripts/setup.sh" >&2
    return 1
  }
  # A crashing program must end, not wait in the debugger's dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
  # Wine links the user's Documents, Desktop and the like to the Linux home folder; the prefix
  # gets folders of its own instead, so that nothing the program or its installer writes lands
  # outside the prefix.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm -f "$link" && mkdir -p "$link"
    fi
  done
}

# l3d_ready_prefix <dir> [Y|N]: sets $WINEPREFIX up on $DISPLAY unless <dir> holds the mark of
# the current set-up, then leaves the mark there; a prefix set up anew gets l3d_set_managed with
# the second argument when there is one. The caller holds the lock <dir>/lock on descriptor 9,
# which the wine server started here must not inherit.
l3d_ready_prefix() {
  [ ! -f "$1/$L3D_PREFIX_STAMP" ] || return 0
  l3d_init_prefix 9>&- || return 1
  if [ -n "${2:-}" ]; then l3d_set_managed "$2" 9>&-; fi
  touch "$1/$L3D_PREFIX_STAMP"
}

# l3d_set_managed Y|N: whether a window manager places the windows. Xvfb runs without one;
# unmanaged windows spare Wine its wait (about two seconds) for a manager's answer whenever a
# top-level window is hidden or destroyed, and are maximised by Wine itself.
l3d_set_managed() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1 || true
}

# L3D_WATCH: a command that the waits below run at every look while it is set (run.sh sets it);
# when it fails, the wait gives up at once with status 2. It says why itself.
L3D_WATCH=${L3D_WATCH:-}
l3d_watch_fails() {
  [ -n "$L3D_WATCH" ] && ! $L3D_WATCH
}

# l3d_program_windows: the windows of the program Lorvane3D.exe shown on the display.
l3d_program_windows() {
  xdotool search --onlyvisible --class '^lorvane3d\.exe$' 2>/dev/null || true
}

# l3d_main_window <pid> <seconds>: waits until the program's main window "Lorvane 3D" is shown
# and the splash screen (the program's window without a name) is not, then prints the window's
# id. Fails when that does not happen within <seconds>, or when <pid> (the program, or the
# l3d_run_program that runs it) ends first; status 2 when L3D_WATCH failed.
l3d_main_window() {
  local pid=$1 deadline=$((SECONDS + $2)) main w splash
  while [ $SECONDS -lt $deadline ]; do
    kill -0 "$pid" 2>/dev/null || return 1
    ! l3d_watch_fails || return 2
    main=$(xdotool search --onlyvisible --name '^Lorvane 3D( - .*)?$' 2>/dev/null | head -n 1 || true)
    if [ -n "$main" ]; then
      splash=""
      for w in $(l3d_program_windows); do
        [ "$w" = "$main" ] || [ -n "$(xdotool getwindowname "$w" 2>/dev/null)" ] || splash=$w
      done
      if [ -z "$splash" ]; then
        echo "$main"
        return 0
      fi
    fi
    sleep 0.1
  done
  return 1
}

# l3d_program_dialog: prints the id of a dialog the program shows (a message box, say), and fails
# when there is none: a window of the program that Wine frames as a window of its own but
# without a maximise box (the decorations of its Motif hints). The main window has that box;
# the splash screen has no frame, and Wine frames no tool window such as the info window.
l3d_program_dialog() {
  local w decorations
  for w in $(l3d_program_windows); do
    decorations=$(xprop -id "$w" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/^.*= *[^,]*, *[^,]*, *\([^,]*\),.*$/\1/p')
    if [ -n "$decorations" ] && [ $((decorations)) -ne 0 ] && [ $((decorations & 0x40)) -eq 0 ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# l3d_installed_exe: the program as the installer puts it into $WINEPREFIX.
l3d_installed_exe() {
  echo "$WINEPREFIX/drive_c/Program Files/Lorvane 3D/Lorvane3D.exe"
}

# l3d_run_program <program.exe> [args...]: runs a Windows program in $WINEPREFIX and ends with
# the program's own exit code, as Windows reports it. (Wine's own process for a program that has
# ended is killed outright when it takes more than about a second to go, which a busy machine
# makes happen; its exit status then says nothing about the program.)
l3d_run_program() {
  wine start /wait /unix "$@"
}

# l3d_install <setup.exe>: runs the installer silently in $WINEPREFIX on $DISPLAY and waits
# until it is done. Fails when it fails or when the program is not where it should be then.
l3d_install() {
  timeout 600 wine start /wait /unix "$1" /S >/dev/null 2>&1 || return 1  # as l3d_run_program
  [ -f "$(l3d_installed_exe)" ]
}

# l3d_convert <args...>: ImageMagick's convert (Debian's, also where another program of that name
# comes first).
l3d_convert() {
  "$(command -v /usr/bin/convert || command -v convert)" "$@"
}

# l3d_drawing_colours <png>: the number of distinct colours in the middle of a picture of the
# main window (half its width and height), which lies in the drawing area whatever the layout.
# An empty drawing area has one or two (background, cross-hairs); a drawn scan has hundreds.
l3d_drawing_colours() {
  l3d_convert "$1" -gravity center -crop 50%x50%+0+0 +repage -format '%k' info: 2>/dev/null || echo 0
}

# l3d_window_picture <window> <png>: what the screen shows where the window lies, so that a
# dialog in front of it is in the picture too (a picture of the window alone leaves the part a
# dialog covers undefined, black on Xvfb).
l3d_window_picture() {
  local geometry
  geometry=$(xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {if (w > 0 && h > 0) printf "%dx%d%+d%+d", w, h, x, y}')
  [ -n "$geometry" ] || return 1
  import -window root -crop "$geometry" +repage "$2" 2>/dev/null
}

# l3d_wait_drawn <window> <seconds> [<colours>]: waits until two pictures of the window taken a
# moment apart are the same (the start-up has drawn everything) and, when <colours> is given,
# the drawing area holds more than that many colours (a scan is drawn in it), then prints the
# last picture's file. Status 2 when L3D_WATCH failed.
l3d_wait_drawn() {
  local window=$1 deadline=$((SECONDS + $2)) colours=${3:-} dir before="" now
  dir=$(mktemp -d)
  while [ $SECONDS -lt $deadline ]; do
    if l3d_watch_fails; then
      rm -rf "$dir"
      return 2
    fi
    now=$(l3d_window_picture "$window" "$dir/now.png" && md5sum < "$dir/now.png" || true)
    if [ -n "$now" ] && [ "$now" = "$before" ] &&
       { [ -z "$colours" ] || [ "$(l3d_drawing_colours "$dir/now.png")" -gt "$colours" ]; }; then
      echo "$dir/now.png"
      return 0
    fi
    before=$now
    sleep 0.3
  done
  rm -rf "$dir"
  return 1
}

# l3d_wait_changed <window> <png> <seconds>: waits until a picture of the window differs from
# <png> (the program has begun to answer what was done to it). Status 2 when L3D_WATCH failed.
l3d_wait_changed() {
  local window=$1 old deadline=$((SECONDS + $3)) dir
  old=$(md5sum < "$2")
  dir=$(mktemp -d)
  while [ $SECONDS -lt $deadline ]; do
    if l3d_watch_fails; then
      rm -rf "$dir"
      return 2
    fi
    if l3d_window_picture "$window" "$dir/now.png" && [ "$(md5sum < "$dir/now.png")" != "$old" ]; then
      rm -rf "$dir"
      return 0
    fi
    sleep 0.1
  done
  rm -rf "$dir"
  return 1
}

# l3d_press_keys <window> <keys...>: gives the window the focus and presses the keys (xdotool's
# names, e.g. ctrl+m) in it, whatever modifier keys are held down meanwhile.
l3d_press_keys() {
  local window=$1; shift
  timeout 60 xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers "$@"
}

# l3d_close_window <window> <pid> <seconds>: closes the program's main window with Alt+F4, as a
# user would, and waits until the program has ended. Fails when it is still running then. While
# a dialog is open the keys reach the dialog, so they are pressed again every 3 seconds: the
# dialog closes first, then the main window.
l3d_close_window() {
  local window=$1 pid=$2 deadline=$((SECONDS + $3)) next=0
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    if [ $SECONDS -ge $next ] && xwininfo -id "$window" >/dev/null 2>&1; then
      l3d_press_keys "$window" alt+F4 2>/dev/null || true
      next=$((SECONDS + 3))
    fi
    sleep 0.1
  done
}
