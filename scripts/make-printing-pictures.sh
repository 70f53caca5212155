#!/usr/bin/env bash
# Makes the pictures of the printing menu, each from the real program driven with the keyboard
# alone, as a user would, on the A4 queue of the tests:
#   docs/ajuste.png          AJUSTAR VOLANTES with a shift and a stretch typed, which then prints
#                            the test sheet with them (not saved: CANCELAR)
#   docs/folha-de-teste.png  that sheet as CUPS wrote it, at 100 dpi, the part that the marks cover
#   docs/visualizar.png      VISUALIZAR VOLANTES on the sixty numbers of the confirmation box with
#                            two of them mistyped ("61" and "7"), on its last slip
#   docs/impressos.png       VOLANTES IMPRESSOS once those numbers were printed, two slips, with
#                            their first slip shown
#   docs/conferir.png        CONFERIR APOSTAS on those numbers against a draw
# The user's own settings are not touched: the program keeps them in a folder of its own here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/setup-printers.sh
command -v import >/dev/null || apt-get install -y -qq --no-install-recommends imagemagick
# As on a Brazilian system: decimals with a comma.
export PRINTER=DEZENARIO-PDF XDG_CONFIG_HOME XDG_DATA_HOME LANG=pt_BR.UTF-8
XDG_CONFIG_HOME=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d) # the settings and the runs kept
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"' EXIT
pdfs=$HOME/PDF # where cups-pdf puts the user's jobs
mkdir -p "$pdfs"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target dezenario

cancel -a "$PRINTER" 2>/dev/null || true
before=$(ls "$pdfs")
xvfb-run -a -s '-screen 0 800x600x24' bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  key alt+i
  key a                                # AJUSTAR VOLANTES
  dialog=$(xdotool search --sync --onlyvisible --name "^AJUSTAR VOLANTES$" | head -n 1)
  xdotool windowfocus --sync "$dialog"
  sleep 2                              # the printers listed, the focus on the list
  for value in 1.5 -0.8 100.5 100.0; do
    key Tab ctrl+a
    xdotool type --delay 50 -- "$value"
  done
  key Tab                              # IMPRIMIR FOLHA DE TESTE
  sleep 1
  import -window "$dialog" docs/ajuste.png
  key space
  sleep 3
  kill $app'

for _ in $(seq 1 100); do [ -z "$(lpstat -o "$PRINTER")" ] && break; sleep 0.2; done
pdf=$(comm -13 <(echo "$before") <(ls "$pdfs") | head -n 1)
[ -n "$pdf" ] || { echo "no test sheet was printed"; exit 1; }
# 4.6 by 3.9 inches from the corner of the A4 page: the marks' outlines, the rulers and the words.
pdftoppm -r 100 -gray -png -singlefile -x 0 -y 0 -W 460 -H 390 "$pdfs/$pdf" docs/folha-de-teste \
  2>/dev/null
rm -f "$pdfs/$pdf"
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
  key Escape
  key Tab Tab Tab Tab Tab space        # IMPRIMIR, six games
  sleep 1
  xdotool type 6
  key Return
  sleep 1
  key Return                           # SIM
  sleep 3
  xdotool search --sync --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  key alt+i
  key i                                # VOLANTES IMPRESSOS
  runs=$(xdotool search --sync --onlyvisible --name "^VOLANTES IMPRESSOS$" | head -n 1)
  xdotool windowfocus --sync "$runs"
  sleep 1
  import -window "$runs" docs/impressos.png
  kill $app' _ "$bets"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  xdotool type --delay 2 "$1"
  key alt+c
  key c                                # CONFERIR APOSTAS
  check=$(xdotool search --sync --onlyvisible --name "^CONFERIR APOSTAS$" | head -n 1)
  xdotool windowfocus --sync "$check"
  sleep 1
  xdotool type --delay 50 "18 23 28 36 54 20"
  key Tab
  xdotool type --delay 50 "2900"
  key Return                           # CONFERIR
  sleep 1
  import -window "$check" docs/conferir.png
  kill $app' _ "$bets"
for _ in $(seq 1 100); do [ -z "$(lpstat -o "$PRINTER")" ] && break; sleep 0.2; done
comm -13 <(echo "$before") <(ls "$pdfs") | while read -r pdf; do rm -f "$pdfs/$pdf"; done
echo "docs/ajuste.png, docs/folha-de-teste.png, docs/visualizar.png, docs/impressos.png and docs/conferir.png written"
