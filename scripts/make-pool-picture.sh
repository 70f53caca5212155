#!/usr/bin/env bash
# Makes docs/bolao.png from the real program driven with the keyboard alone, as a user would:
# eight games put in the text box, JOGOS > BOLÕES, NOVO, the bolão typed, its games brought
# from the text box, three participants added. The user's own settings are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-setup.sh

xvfb-run -a -s '-screen 0 1280x900x24' bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  typed() { sleep 0.5; xdotool type --delay 30 -- "$1"; }
  main=$(xdotool search --sync --onlyvisible --name "^DEZENARIO$" | head -n 1)
  xdotool windowfocus --sync "$main"
  for g in 01-05-09-13-17-21 02-06-10-14-18-22 03-07-11-15-19-23 04-08-12-16-20-24 \
           01-06-11-16-21-26 02-07-12-17-22-27 05-10-15-20-25-30 03-08-13-18-23-28; do
    typed "$g-"
  done
  key alt+j
  key b                                # BOLÕES
  xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name "^BOL.*ES$" | head -n 1)"
  key alt+n                            # NOVO
  window=$(xdotool search --sync --onlyvisible --name "^BOL.*O$" | head -n 1)
  xdotool windowfocus --sync "$window"
  key alt+n; typed "Firma"
  key alt+o; typed "Ana"
  key alt+c; typed "2951"
  key alt+m; key Down; key Down        # a Teimosinha of 3
  key alt+t; typed "30"
  key alt+x; xdotool key ctrl+a; typed "10"
  key alt+q                            # TRAZER OS JOGOS DO QUADRO
  for who in "Bia:3:1" "Caio:5:1" "Duda:2:0"; do
    IFS=: read -r name cotas paid <<<"$who"
    key alt+p; typed "$name"
    key Tab; xdotool key ctrl+a; typed "$cotas"
    [ "$paid" = 1 ] && key alt+g
    key alt+a
  done
  sleep 1
  import -window "$window" docs/bolao.png
  kill $app'
