#!/usr/bin/env bash
# scripts/run.sh without a display, on the build in $1: one line on how to
# start the window, then the command-line tool's run on the start matrix,
# and status 0.
set -euo pipefail
koren=$(cd "$(dirname "$0")/../.." && pwd)
von=$(env -u DISPLAY -u WAYLAND_DISPLAY QLC_BUILD="$(cd "$1" && pwd)" bash "$koren/scripts/run.sh" 2>&1)
printf '%s\n' "$von"
prvy=$(printf '%s\n' "$von" | head -n 1)
case "$prvy" in
  "No display: "*xvfb-run*) ;;
  *) echo "first line does not say how to start the window: $prvy" >&2; exit 1 ;;
esac
printf '%s\n' "$von" | grep -qx "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu." ||
  { echo "no decomposition of the start matrix" >&2; exit 1; }
