#!/usr/bin/env bash
# Makes docs/visualizar.png: the real program previews the sixty numbers of the confirmation box
# with two of them mistyped ("61" and "7"), from its menu and with the keyboard alone, on the A4
# queue of the tests, and the window is captured on its last slip, the problems named below it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/setup-printers.sh
command -v import >/dev/null || apt-get install -y -qq --no-install-recommends imagemagick
export PRINTER=DEZENARIO-PDF XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d) # the user's own settings are not touched
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target dezenario

bets=18-23-52-58-28-20-18-23-36-58-28-20-18-23-36-54-28-20-07-23-36-54-28-20-07-23-46-54-28-20-07-23-43-46-28-20-23-43-46-57-28-20-22-23-43-57-28-20-22-23-35-57-28-20-11-61-23-35-28-7-
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  xdotool type --delay 2 "$1"
  key alt+i
  key v                                # VISUALIZAR VOLANTES
  preview=$(xdotool search --sync --onlyvisible --name "^VISUALIZAR VOLANTES$" | head -n 1)
  xdotool windowfocus --sync "$preview"
  key End                              # the last slip
  sleep 1
  import -window "$preview" docs/visualizar.png
  kill $app' _ "$bets"
echo "docs/visualizar.png written"
