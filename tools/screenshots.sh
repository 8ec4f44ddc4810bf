#!/usr/bin/env bash
# Retakes the README's screenshots (docs/screenshots/*.png) under a virtual display, every window
# at the size it opens with. Needs a build in build/ (tools/setup.sh test or run), xvfb and
# imagemagick:  bash tools/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
mkdir -p "$out"

# The main windows, input dialogs, reports, Stand Statistics and a reference page.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/timbra-screenshots "$out"

# Timbra as it starts: the whole screen, the welcome dialog over the main window.
xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
    "build/src/timbra & pid=\$!; sleep 3; import -window root '$out/timbra-start.png'; kill \$pid"
