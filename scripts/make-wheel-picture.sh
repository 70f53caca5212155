#!/usr/bin/env bash
# Makes docs/fechamento.png from the real program driven with the keyboard alone, as a user would:
# JOGOS > FECHAMENTO, fifteen numbers typed, quadra if 4 of the drawn are among them, GERAR JOGOS,
# and the wheel once found and checked. The user's own settings are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-setup.sh

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  key alt+j
  key f                                # FECHAMENTO
  window=$(xdotool search --sync --onlyvisible --name "^FECHAMENTO$" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 1
  xdotool type --delay 30 -- "04 09 13 17 22 28 31 35 38 41 44 49 52 56 60"
  key Return                           # GERAR JOGOS, the default
  sleep 40                             # the default effort, on two cores
  import -window "$window" docs/fechamento.png
  kill $app'
