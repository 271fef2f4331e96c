#!/usr/bin/env bash
# Installs the Debian packages that the given purpose needs, if missing.
# Usage: tools/setup.sh play|test
set -euo pipefail

packages=(cmake make g++ pkg-config liballegro4-dev)
if [[ "${1:-play}" == test ]]; then
  packages+=(libgtest-dev libbenchmark-dev libxtst-dev xvfb xdotool imagemagick x11-utils
             clang libclang-rt-14-dev clang-tidy cppcheck
             lintian desktop-file-utils appstream man-db openbox wmctrl ltrace)
fi

missing=()
for p in "${packages[@]}"; do
  if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != *'ok installed'* ]]; then
    missing+=("$p")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if ((EUID != 0)); then
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
