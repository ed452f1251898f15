#!/usr/bin/env bash
# with_pty_ports.sh <wine-state-dir> <program.exe> [args...]
# Runs a test program under Wine (cmake/wine-run.sh) with a pseudo-terminal pair made by socat
# whose two ends are linked as COM41 and COM42 of the Wine prefix, and a third port, COM43,
# whose far end is a program that ends after the first byte it is sent (it sends that byte
# back): writing to COM43 makes its line vanish, as an unplugged adaptor's does. The program
# finds the names in L3D_TEST_COM_PORT, L3D_TEST_COM_PEER and L3D_TEST_COM_VANISHING. The
# ports and their links go when the program ends.
set -euo pipefail
state=$(mkdir -p "$1" && cd "$1" && pwd); shift
wine_run="$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run.sh"

# The prefix is made on the first Wine start; the links need its dosdevices folder.
[ -d "$state/prefix/dosdevices" ] || "$wine_run" "$state" cmd.exe /c exit >/dev/null 2>&1 || true
devices="$state/prefix/dosdevices"
port="$devices/com41" peer="$devices/com42" vanishing="$devices/com43"
rm -f "$port" "$peer" "$vanishing"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -f "$port" "$peer" "$vanishing"
}
trap cleanup EXIT

socat pty,raw,echo=0,link="$port" pty,raw,echo=0,link="$peer" </dev/null >/dev/null 2>&1 &
pids+=($!)
socat pty,raw,echo=0,link="$vanishing" SYSTEM:'head -c 1' </dev/null >/dev/null 2>&1 &
pids+=($!)
deadline=$((SECONDS + 180))
while [ $SECONDS -lt $deadline ] && kill -0 "${pids[0]}" 2>/dev/null; do
  [ -L "$port" ] && [ -L "$peer" ] && [ -L "$vanishing" ] && break
  sleep 0.05
done
[ -L "$port" ] && [ -L "$peer" ] && [ -L "$vanishing" ] || { echo "with_pty_ports: socat made no pty" >&2; exit 1; }

# The wine server, a session leader, would take a terminal it opens as its controlling one and
# get a hang-up (and dump its objects) when socat ends. Each terminal is held as the controlling
# terminal of a session of its own instead; the holders outlive a hang-up (COM43's is meant).
for link in "$port" "$peer" "$vanishing"; do
  setsid sh -c 'trap "" HUP; exec 3<>"$1"; exec sleep 100000' hold "$(readlink "$link")" </dev/null >/dev/null 2>&1 &
  pids+=($!)
done

export L3D_TEST_COM_PORT=COM41 L3D_TEST_COM_PEER=COM42 L3D_TEST_COM_VANISHING=COM43
"$wine_run" "$state" "$@"
