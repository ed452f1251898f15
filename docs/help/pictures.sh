#!/usr/bin/env bash
# Takes the user guide's pictures from the program itself: scripts/run.sh saves the main window
# in German and in English on its private 1280 x 1024 display (English last, so that the prefix
# is left in English), and the tool bars, navigator and status bar are cut out of the English
# picture. Run it when the main window changes and commit the pictures under images/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run=$here/../../scripts/run.sh
out=$here/images
mkdir -p "$out"

env -u DISPLAY "$run" -de_DE --screenshot "$out/main-window-de.png"
env -u DISPLAY "$run" -en_US --screenshot "$out/main-window-en.png"

# ImageMagick's convert (Debian's, also where another program of that name comes first).
convert=$(command -v /usr/bin/convert || command -v convert)

# The places of the window's parts in the maximised main window on a 1280 x 1024 display.
"$convert" "$out/main-window-en.png" -crop 1040x30+0+38 +repage "$out/tool-bars.png"
"$convert" "$out/main-window-en.png" -crop 68x265+0+68 +repage "$out/navigator.png"
"$convert" "$out/main-window-en.png" -crop 1280x30+0+994 +repage "$out/status-bar.png"
