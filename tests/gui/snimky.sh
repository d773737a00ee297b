#!/usr/bin/env bash
# Pictures of the main window on an X server (Xvfb, 1280 x 800): at start,
# after elementary decompositions of random 3- and 5-qubit matrices (the
# canvas scrolled so the second band is in view), and the grid of a random
# 5-qubit matrix. Usage: tests/gui/snimky.sh [build dir] [output dir]
set -euo pipefail
build=${1:-build}
von=${2:-$build/snimky}
program=$build/tests/gui_snimka
[ -x "$program" ] || { echo "missing $program (cmake --build $build --target gui_snimka)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed (scripts/setup.sh)" >&2; exit 1; }
mkdir -p "$von"
snimka() {
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$program" "$@" 2>/dev/null
}
snimka "$von/okno-start.png" start
snimka "$von/okno-3.png" 3
snimka "$von/okno-5.png" 5
snimka "$von/mriezka-5.png" mriezka 5
ls -l "$von"/*.png
