#!/usr/bin/env bash
# The folders stand in layers, and a file may include only from its own layer
# or the layers below it:
#   0  core/
#   1  decomposition/  optimisation/  view/  synthesis/
#   2  app/            (the application shell, without its front ends)
#   3  api/
#   4  python/  app/qlc/  app/gui/   (the front ends)
# Below the front ends no file includes a windowing toolkit or pybind11.
# Prints every offending include as file:line and fails when there is one.
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"

grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' \
     '^[[:space:]]*#[[:space:]]*include' core decomposition optimisation view synthesis app api python |
awk '
function vrstva(p) {
  if (p ~ /^core\//) return 0
  if (p ~ /^(decomposition|optimisation|view|synthesis)\//) return 1
  if (p ~ /^app\/(qlc|gui)\//) return 4
  if (p ~ /^app\//) return 2
  if (p ~ /^api\//) return 3
  if (p ~ /^python\//) return 4
  return -1
}
{
  i = index($0, ":"); subor = substr($0, 1, i - 1)
  zvysok = substr($0, i + 1); j = index(zvysok, ":")
  riadok = substr(zvysok, 1, j - 1); text = substr(zvysok, j + 1)
  moja = vrstva(subor)
  if (match(text, /"[^"]*"/)) {
    ciel = substr(text, RSTART + 1, RLENGTH - 2)
    jeho = vrstva(ciel)
    if (jeho > moja) { printf "%s:%s: vrstva %d vklada vrstvu %d: %s\n", subor, riadok, moja, jeho, ciel; zle = 1 }
  } else if (moja < 4 && text ~ /<(Q[A-Za-z]*|pybind11)/) {
    printf "%s:%s: vrstva %d vklada nastroj okien alebo Pythonu: %s\n", subor, riadok, moja, text; zle = 1
  }
}
END {
  if (zle) { print "vrstvy: nizsi priecinok vklada vyssi" > "/dev/stderr"; exit 1 }
  print "vrstvy: v poriadku"
}'
