#!/usr/bin/env bash
# Makes docs/estatisticas.png from the real program driven with the keyboard alone, as a user would:
# a few games in the box, CONFERÊNCIA > IMPORTAR RESULTADOS with the 50 contests that
# tests/make_results.py writes, then CONFERÊNCIA > ESTATÍSTICAS. The user's own settings and data
# are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-setup.sh
export files=$XDG_DATA_HOME/files # the test's own results files, gone with the data
mkdir "$files"
/usr/bin/python3 tests/make_results.py "$files"

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  ./build/app/dezenario & app=$!
  key() { sleep 1; xdotool key --clearmodifiers "$@"; }
  xdotool search --sync --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  sleep 1
  xdotool type --delay 20 -- "05-12-26-31-36-44-"
  key alt+c
  key i                                # IMPORTAR RESULTADOS
  sleep 2
  xdotool type --delay 20 -- "$files/resultados.xlsx"
  key Return
  sleep 2
  key Return                           # the summary of what was read
  sleep 1                              # no window manager here gives the focus back
  xdotool search --onlyvisible --name "^DEZENARIO$" windowfocus --sync
  key alt+c
  key e                                # ESTATÍSTICAS
  window=$(xdotool search --sync --onlyvisible --name "^ESTAT.*CONCURSOS$" | head -n 1)
  sleep 2
  import -window "$window" docs/estatisticas.png
  kill $app'
