#!/usr/bin/env bash
# Installs what building, running and testing DEZENARIO needs on Debian 12.
# Idempotent: only missing packages are fetched.
set -euo pipefail

want=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra
  libcups2-dev cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils ghostscript
  xvfb xauth xdotool xdg-utils dpkg-dev file
  lintian appstream desktop-file-utils man-db
  dbus at-spi2-core python3-pyatspi
  clang libclang-rt-14-dev
)

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
