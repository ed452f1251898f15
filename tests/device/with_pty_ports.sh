#!/usr/bin/env bash
# with_pty_ports.sh <wine-state-dir> <program.exe> [args...]
# Runs a test program under Wine (cmake/wine-run.sh) with a pseudo-terminal pair made by socat
# whose two ends are linked as COM41 and COM42 of the Wine prefix. The program finds the names
# in L3D_TEST_COM_PORT and L3D_TEST_COM_PEER. The pair and its links go when the program ends.
set -euo pipefail
state=$(mkdir -p "$1" && cd "$1" && pwd); shift
wine_run="$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run.sh"

# The prefix is made on the first Wine start; the links need its dosdevices folder.
[ -d "$state/prefix/dosdevices" ] || "$wine_run" "$state" cmd.exe /c exit >/dev/null 2>&1 || true
devices="$state/prefix/dosdevices"
port="$devices/com41" peer="$devices/com42"
rm -f "$port" "$peer"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -f "$port" "$peer"
}
trap cleanup EXIT

socat pty,raw,echo=0,link="$port" pty,raw,echo=0,link="$peer" </dev/null >/dev/null 2>&1 &
pids+=($!)
deadline=$((SECONDS + 180))
while [ $SECONDS -lt $deadline ] && kill -0 "${pids[0]}" 2>/dev/null; do
  [ -L "$port" ] && [ -L "$peer" ] && break
  sleep 0.05
done
[ -L "$port" ] && [ -L "$peer" ] || { echo "with_pty_ports: socat made no pty pair" >&2; exit 1; }

# The wine server, a session leader, would take a terminal it opens as its controlling one and
# get a hang-up (and dump its objects) when socat ends. Each terminal is held as the controlling
# terminal of a session of its own instead.
for link in "$port" "$peer"; do
  setsid sh -c 'exec 3<>"$1"; exec sleep 100000' hold "$(readlink "$link")" </dev/null >/dev/null 2>&1 &
  pids+=($!)
done

export L3D_TEST_COM_PORT=COM41 L3D_TEST_COM_PEER=COM42
"$wine_run" "$state" "$@"
