#!/usr/bin/env bash
# Sourced by the test command: starts CUPS when it is not running and adds the
# test queues (idempotent). The tests pick them through PRINTER, so the
# system's default printer is left as it is.
#   DEZENARIO-PDF        cups-pdf, A4, printable area the whole sheet; PDFs go to $HOME/PDF
#   DEZENARIO-LETTER     cups-pdf, US Letter by default
#   DEZENARIO-SLIP       cups-pdf, A4, that the tests' lpoptions set to the slip's own paper,
#                        110 x 200 mm
#   DEZENARIO-PS         CUPS's generic PostScript driver (Letter, 12 pt margins), written to a
#                        file, and set to fit every page to the paper, as some queues are
#   DEZENARIO-ACROSS     cups-pdf, A4, landscape by default
#   DEZENARIO-TURNED     the same PostScript driver and file, in reverse landscape by default
#   DEZENARIO-NULL       raw, throws every job away: for the benchmarks
#   DEZENARIO-REFUSING   rejects every job, to test how a refusal is reported
#   DEZENARIO-DENIED     lets nobody print, so a job is refused only when it is handed over

cupsd_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

# A queue that writes to a file needs the file device, which CUPS keeps off by default.
conf=/etc/cups/cups-files.conf
restart=false
if ! grep -qx 'FileDevice Yes' "$conf"; then
  sed -i '/^#\?FileDevice/d' "$conf"
  echo 'FileDevice Yes' >>"$conf"
  restart=true
fi
if $restart && cupsd_running; then
  pkill -x cupsd
  for _ in $(seq 1 50); do pgrep -x cupsd >/dev/null || break; sleep 0.1; done
fi
if ! cupsd_running; then
  cupsd
  for _ in $(seq 1 50); do cupsd_running && break; sleep 0.2; done
fi

export DEZENARIO_PS_FILE=/var/tmp/dezenario-ps.prn
pdf=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt.ppd/ {print $1; exit}')
[ -n "$pdf" ] || pdf=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF/ {print $1; exit}')
add_queue() { # name device model [option ...]
  local options=()
  for option in "${@:4}"; do options+=(-o "$option"); done
  lpstat -p "$1" >/dev/null 2>&1 || lpadmin -p "$1" -v "$2" -m "$3" "${options[@]}" 2>/dev/null
  cupsenable "$1"
  cupsaccept "$1"
}
add_queue DEZENARIO-PDF cups-pdf:/ "$pdf"
add_queue DEZENARIO-LETTER cups-pdf:/ "$pdf" PageSize=Letter
add_queue DEZENARIO-SLIP cups-pdf:/ "$pdf"
lpadmin -p DEZENARIO-SLIP -o PageSize=A4
add_queue DEZENARIO-PS "file://$DEZENARIO_PS_FILE" drv:///sample.drv/generic.ppd print-scaling-default=fit
add_queue DEZENARIO-ACROSS cups-pdf:/ "$pdf" orientation-requested-default=4
add_queue DEZENARIO-TURNED "file://$DEZENARIO_PS_FILE" drv:///sample.drv/generic.ppd orientation-requested-default=5
add_queue DEZENARIO-NULL file:///dev/null raw
add_queue DEZENARIO-REFUSING cups-pdf:/ "$pdf"
cupsreject DEZENARIO-REFUSING
# A queue that lets nobody print refuses even cupsenable: let everybody in while it is set up.
lpstat -p DEZENARIO-DENIED >/dev/null 2>&1 && lpadmin -p DEZENARIO-DENIED -u allow:all
add_queue DEZENARIO-DENIED cups-pdf:/ "$pdf"
lpadmin -p DEZENARIO-DENIED -u allow:nobody

export PRINTER=DEZENARIO-PDF
DEZENARIO_PDF_DIR="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
export DEZENARIO_PDF_DIR
mkdir -p "$DEZENARIO_PDF_DIR"
