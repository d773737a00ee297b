#!/usr/bin/env bash
# Pictures of the main window on an X server (Xvfb) under a window manager
# (twm), title bar included: at start, and after elementary decompositions
# of random 3- and 5-qubit matrices (the canvas scrolled so the second band
# is in view) at the window sizes 1024 x 768, 1600 x 1000 and the smallest;
# the grid of a random 5-qubit matrix, the legend of the drawing, the box
# of the longest message, the help window, the tooltip of a gate and the
# window after the numerical search on a random 3-qubit matrix.
# Usage: tests/gui/snimky.sh [build dir] [output dir]
set -euo pipefail
build=${1:-build}
von=${2:-$build/snimky}
program=$build/tests/gui_snimka
[ -x "$program" ] || { echo "missing $program (cmake --build $build --target gui_snimka)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed (scripts/setup.sh)" >&2; exit 1; }
command -v twm >/dev/null || { echo "twm is not installed (scripts/setup.sh)" >&2; exit 1; }
mkdir -p "$von"
rc=$(mktemp)
trap 'rm -f "$rc"' EXIT
# windows placed where the program asks, without the user placing them;
# twm's own texts in the core font every X server has
printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\n' > "$rc"
for f in TitleFont MenuFont IconFont ResizeFont IconManagerFont; do printf '%s "fixed"\n' "$f" >> "$rc"; done
snimka() {
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1700x1100x24" \
    bash -c 'LC_ALL=C twm -f "$0" & wm=$!; sleep 1; "$@"; s=$?; kill $wm; exit $s' "$rc" "$program" "$@"
}
snimka "$von/okno-start.png" start
for velkost in 1024x768 1600x1000 min; do
  snimka "$von/okno-3-$velkost.png" 3 - "$velkost"
  snimka "$von/okno-5-$velkost.png" 5 - "$velkost"
done
snimka "$von/mriezka-5.png" mriezka 5
snimka "$von/hladanie-3.png" hladanie 3
snimka "$von/legenda.png" legenda
snimka "$von/box.png" box
snimka "$von/navod.png" navod
snimka "$von/tip.png" tip
ls -l "$von"/*.png
