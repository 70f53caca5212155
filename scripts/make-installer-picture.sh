#!/usr/bin/env bash
# Makes docs/instalador-windows.png: the installer run by hand over an installed copy, in a Wine
# set to Brazilian Portuguese, as a user with a Portuguese Windows meets it: its first page, the
# licence, and its last page. Needs scripts/build-windows.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
command -v import >/dev/null || $SUDO apt-get install -y -qq --no-install-recommends imagemagick
locale -a | grep -qx pt_BR.utf8 || {
  $SUDO apt-get install -y -qq --no-install-recommends locales
  $SUDO localedef -i pt_BR -f UTF-8 pt_BR.UTF-8
}
export WINEPREFIX LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d)
shots=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k; rm -rf "$WINEPREFIX" "$shots"' EXIT
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
installer=$(ls "$PWD"/build-win/DEZENARIO-*-win64.exe)
/usr/lib/wine/wine64 "$installer" /S
xvfb-run -a -s '-screen 0 800x600x24' bash -c '
  /usr/lib/wine/wine64 "$1" &
  page() { sleep 3; import -window root "$2/$1.png"; }
  xdotool search --sync --onlyvisible --name DEZENARIO >/dev/null
  page 1 "$2"
  xdotool key Return; page 2 "$2"      # the licence
  xdotool key Return; sleep 3          # the folder
  xdotool key Return; sleep 3          # the Start-menu folder
  xdotool key Return; sleep 5; page 3 "$2" # installed
  xdotool key Return
  wait' _ "$installer" "$shots"
convert "$shots"/1.png "$shots"/2.png "$shots"/3.png -crop 580x362+110+128 +repage +append \
  -resize 75% -colors 64 docs/instalador-windows.png
echo "docs/instalador-windows.png written"
