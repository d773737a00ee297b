#!/usr/bin/env bash
# Builds everything and starts the desktop application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/app/gui/qlc-gui ]; then
  exec build/app/gui/qlc-gui "$@"
fi
# Without the desktop application: decompose the start matrix with qlc.
tmp=$(mktemp -d)
printf '4\r\n{{0,0,0,0-1i},\r\n{0,0,0-1i,0},\r\n{0,0+1i,0,0},\r\n{0+1i,0,0,0}}\r\n' > "$tmp/start.mat"
exec build/app/qlc decompose "$tmp/start.mat"
