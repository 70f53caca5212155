#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine, checks what it put in
# place and that the installed program starts, then removes it again.
set -euo pipefail
build=${1:?build directory}
cd "$build"

rm -f dezenario_*.deb
cpack -G DEB >/dev/null
deb=$(ls dezenario_*.deb)
echo "built $deb"
dpkg-deb -f "$deb" Package Version Depends

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq "./$deb" >/dev/null
trap '$SUDO apt-get remove -y -qq dezenario >/dev/null' EXIT

listed=$(dpkg -L dezenario)
echo "$listed"
grep -qx /usr/bin/dezenario <<<"$listed"
grep -qx /usr/share/applications/dezenario.desktop <<<"$listed"
# Nothing but the program, its desktop entry and the folders that hold them.
unexpected=$(grep -vxE '/\.|/usr|/usr/bin|/usr/share|/usr/share/applications|/usr/bin/dezenario|/usr/share/applications/dezenario.desktop' <<<"$listed" || true)
[ -z "$unexpected" ] || { echo "unexpected files: $unexpected"; exit 1; }
grep -qx 'Name=DEZENARIO' /usr/share/applications/dezenario.desktop
grep -qx 'Categories=Utility;' /usr/share/applications/dezenario.desktop

# The installed program starts and keeps running until it is closed.
set +e
QT_QPA_PLATFORM=xcb timeout 3 xvfb-run -a /usr/bin/dezenario
status=$?
set -e
[ "$status" -eq 124 ] || { echo "dezenario exited with $status before it was closed"; exit 1; }
echo "package ok"
