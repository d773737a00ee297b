#!/usr/bin/env bash
# Builds and starts the desktop application. Without a display (over ssh,
# in a container) it says in one line how to start the window and shows
# the command-line tool on the start matrix instead.
# QLC_BUILD=DIR uses the build in DIR as it is: no setup, no build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QLC_BUILD:-build}
zostav() {
  [ -n "${QLC_BUILD:-}" ] && return
  bash scripts/setup.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j"$(nproc)" --target "$@"
}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  zostav qlc-gui
  exec "$build/app/gui/qlc-gui" "$@"
fi
echo "No display: the window needs one (a desktop, ssh -X, or: xvfb-run -a bash scripts/run.sh); here is the command-line tool instead."
zostav qlc
# The window's start matrix, decomposed to elementary gates.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '4\r\n{{0,0,0,0-1i},\r\n{0,0,0-1i,0},\r\n{0,0+1i,0,0},\r\n{0+1i,0,0,0}}\r\n' > "$tmp/start.mat"
"$build/app/qlc" decompose --summary "$tmp/start.mat"
