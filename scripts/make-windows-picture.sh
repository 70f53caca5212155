#!/usr/bin/env bash
# Makes docs/janela-windows.png: the Windows program, installed by its installer
# into a fresh Wine prefix, in a Wine desktop of its own, after an analysis typed
# and run with the keyboard alone. Needs scripts/build-windows.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v import >/dev/null || apt-get install -y -qq --no-install-recommends imagemagick
export WINEPREFIX
WINEPREFIX=$(mktemp -d) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k; rm -rf "$WINEPREFIX"' EXIT
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wine64 build-win/DEZENARIO-*-win64.exe /S
xvfb-run -a -s '-screen 0 800x520x24' bash -c '
  /usr/lib/wine/wine64 explorer /desktop=DEZENARIO,800x520 "C:\\Program Files\\DEZENARIO\\dezenario.exe" &
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --name "^DEZENARIO$" >/dev/null
  sleep 3
  xdotool type --delay 30 "01) 05-10-15-20-25-30"
  key Return
  xdotool type --delay 30 "02) 01-02-03-04-05-06"
  key Tab space   # ANALIZAR
  key Return      # the separator: ")"
  sleep 2
  import -window root docs/janela-windows.png'
echo "docs/janela-windows.png written"
