#!/usr/bin/env bash
# wine-run.sh <state-dir> <program.exe> [args...]
# Runs a Windows program under Wine with a prefix and a private Xvfb display kept in
# <state-dir> (inside the build tree). The first call creates both; later calls reuse them.
# scripts/stop-wine.sh <state-dir> ends the display and the wine server again.
set -euo pipefail
state=$(mkdir -p "$1" && cd "$1" && pwd); shift

export WINEPREFIX="$state/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

display_alive() {
  [ -f "$state/display" ] && [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_display() {
  local fifo="$state/displayfd"
  rm -f "$fifo"; mkfifo "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$fifo" 9>&- </dev/null >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  local n; read -r n < "$fifo"
  rm -f "$fifo"
  echo ":$n" > "$state/display"
}

init_prefix() {
  DISPLAY=$(cat "$state/display") wineboot -i >/dev/null 2>&1 9>&- || true
  # A crashing test must end, not wait in the debugger's dialog.
  DISPLAY=$(cat "$state/display") wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  DISPLAY=$(cat "$state/display") wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
  # Xvfb runs without a window manager; unmanaged windows spare Wine its wait (about two seconds)
  # for a manager's answer whenever a top-level window is hidden or destroyed.
  DISPLAY=$(cat "$state/display") wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  touch "$state/prefix.ready-2"
}

(
  # Waiting longer than a prefix takes to create means something holds the lock for good.
  flock -w 300 9 || { echo "wine-run: $state/lock stays busy" >&2; exit 1; }
  # The display and the wine server outlive this call; they must not inherit the lock.
  display_alive || start_display 9>&-
  [ -f "$state/prefix.ready-2" ] || init_prefix 9>&-
) 9>"$state/lock"

export DISPLAY=$(cat "$state/display")
exec wine "$@"
