#!/usr/bin/env bash
# Installs what the build needs and is missing (Debian 12), when run as root.
set -euo pipefail
need=()
for pkg in g++ cmake make libgtest-dev libbenchmark-dev qt6-base-dev xvfb xauth \
    libeigen3-dev liblapacke-dev pybind11-dev python3-dev python3-numpy python3-pytest \
    qt6-translations-l10n fonts-liberation2 clang twm; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}"
  else
    echo "Missing packages: ${need[*]} (run as root, or: sudo apt-get install ${need[*]})" >&2
    exit 1
  fi
fi
