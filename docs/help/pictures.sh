#!/usr/bin/env bash
# Takes the user guide's pictures from the program itself: scripts/run.sh opens the example scan
# "Field with metal object" and saves the main window, in German and in English, with the four
# views of the first start and with the main view alone (split screen switched off with
# Ctrl+M), on its private 1280 x 1024 display; the tool bars, navigator and status bar are cut
# out of the English picture. Every picture starts from a fresh Wine prefix, so that the
# pictures show the program's defaults and the user's own prefix stays as it is. Run it when
# the main window changes and commit the pictures under images/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
run=$root/scripts/run.sh
source "$root/scripts/wine-prefix.sh"
out=$here/images
mkdir -p "$out"

# The example scans are made by the build; run.sh builds again, which is quick then.
(cd "$root" && bash scripts/setup.sh >/dev/null && cmake --preset win32 >/dev/null &&
  cmake --build --preset win32 --target installer >/dev/null)
example="$root/build/win32/bin/Examples/Field with metal object.dmo"

homes=$(mktemp -d)
trap 'rm -rf "$homes"' EXIT
picture() {  # picture <file> <run.sh arguments...>
  local home
  home=$(mktemp -d "$homes/home.XXXX")
  env -u DISPLAY L3D_WINE_HOME="$home" "$run" --screenshot "$out/$1" "${@:2}" "$example"
}
picture main-window-de.png -de_DE
picture single-view-de.png --keys ctrl+m -de_DE
picture main-window-en.png -en_US
picture single-view-en.png --keys ctrl+m -en_US

# The places of the window's parts in the maximised main window on a 1280 x 1024 display.
l3d_convert "$out/main-window-en.png" -crop 1040x30+0+38 +repage "$out/tool-bars.png"
l3d_convert "$out/main-window-en.png" -crop 68x265+0+68 +repage "$out/navigator.png"
l3d_convert "$out/main-window-en.png" -crop 1280x24+0+1000 +repage "$out/status-bar.png"
