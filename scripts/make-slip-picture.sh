#!/usr/bin/env bash
# Makes docs/volante.png: one real slip page. It prints the sixty numbers of the
# confirmation box (quantity 3: the first nine games, one slip) through the real
# window onto the A4 PDF queue, using only the keyboard as a user would, and
# rasterises the page that CUPS wrote at 100 dpi.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/setup-printers.sh
PRINTER=DEZENARIO-PDF
export PRINTER
pdfs=$HOME/PDF # where cups-pdf puts the user's jobs
mkdir -p "$pdfs"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target dezenario

bets=18-23-52-58-28-20-18-23-36-58-28-20-18-23-36-54-28-20-07-23-36-54-28-20-07-23-46-54-28-20-07-23-43-46-28-20-23-43-46-57-28-20-22-23-43-57-28-20-22-23-35-57-28-20-11-22-23-35-28-20-
cancel -a "$PRINTER" 2>/dev/null || true
before=$(ls "$pdfs")
xvfb-run -a bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --name "^DEZENARIO$" windowfocus --sync
  xdotool type --delay 2 "$1"
  key Tab Tab Tab Tab Tab space   # to IMPRIMIR
  key Return                      # the quantity: 3
  key Return                      # SIM
  sleep 2
  kill $app' _ "$bets"

for _ in $(seq 1 100); do [ -z "$(lpstat -o "$PRINTER")" ] && break; sleep 0.2; done
pdf=$(comm -13 <(echo "$before") <(ls "$pdfs") | head -n 1)
[ -n "$pdf" ] || { echo "no page was printed"; exit 1; }
# The part of the A4 page that the slip covers, 4.2 by 3 inches from the corner.
pdftoppm -r 100 -gray -png -singlefile -x 0 -y 0 -W 420 -H 300 "$pdfs/$pdf" docs/volante
rm -f "$pdfs/$pdf"
echo "docs/volante.png written"
