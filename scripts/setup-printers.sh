#!/usr/bin/env bash
# Starts CUPS when it is not running and adds the test queues (idempotent), through sudo when
# the user is not root. The tests pick them through PRINTER, so the system's default printer is
# left as it is.
#   DEZENARIO-PDF        cups-pdf, A4, printable area the whole sheet; PDFs go to ~/PDF
#   DEZENARIO-LETTER     cups-pdf, US Letter by default
#   DEZENARIO-SLIP       cups-pdf, A4, that the tests' lpoptions set to the slip's own paper,
#                        110 x 200 mm
#   DEZENARIO-PS         CUPS's generic PostScript driver (Letter, 12 pt margins), set to fit every
#                        page to the paper, as some queues are; its PostScript goes to cups-pdf,
#                        so that the user who printed can read the sheets back
#   DEZENARIO-ACROSS     cups-pdf, A4, landscape by default
#   DEZENARIO-TURNED     the same PostScript driver, in reverse landscape by default
#   DEZENARIO-NULL       raw, throws every job away: for the benchmarks
#   DEZENARIO-REFUSING   rejects every job, to test how a refusal is reported
#   DEZENARIO-DENIED     lets nobody print, so a job is refused only when it is handed over
set -euo pipefail
export PATH=$PATH:/usr/sbin:/sbin # cupsd, lpadmin, cupsenable, lpinfo
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

cupsd_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
wait_for() { # what, then a command: tried for up to 10 s
  local what=$1 _
  shift
  for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done
  echo "setup-printers: $what" >&2
  return 1
}

if ! cupsd_running; then
  $SUDO cupsd
  wait_for "cupsd did not start" cupsd_running
fi

pdf=$($SUDO lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt.ppd/ {print $1; exit}')
[ -n "$pdf" ] || pdf=$($SUDO lpinfo -m 2>/dev/null | awk '/CUPS-PDF/ {print $1; exit}')
add_queue() { # name device model [option ...]
  local options=()
  for option in "${@:4}"; do options+=(-o "$option"); done
  if lpstat -p "$1" >/dev/null 2>&1; then
    $SUDO lpadmin -p "$1" -v "$2" # the device as it is set up now
  else
    $SUDO lpadmin -p "$1" -v "$2" -m "$3" "${options[@]}"
  fi
  $SUDO cupsenable "$1"
  $SUDO cupsaccept "$1"
}
add_queue DEZENARIO-PDF cups-pdf:/ "$pdf"
add_queue DEZENARIO-LETTER cups-pdf:/ "$pdf" PageSize=Letter
add_queue DEZENARIO-SLIP cups-pdf:/ "$pdf"
$SUDO lpadmin -p DEZENARIO-SLIP -o PageSize=A4
add_queue DEZENARIO-PS cups-pdf:/ drv:///sample.drv/generic.ppd print-scaling-default=fit
add_queue DEZENARIO-ACROSS cups-pdf:/ "$pdf" orientation-requested-default=4
add_queue DEZENARIO-TURNED cups-pdf:/ drv:///sample.drv/generic.ppd orientation-requested-default=5
add_queue DEZENARIO-NULL file:///dev/null raw
add_queue DEZENARIO-REFUSING cups-pdf:/ "$pdf"
$SUDO cupsreject DEZENARIO-REFUSING
# A queue that lets nobody print refuses even cupsenable: let everybody in while it is set up.
if lpstat -p DEZENARIO-DENIED >/dev/null 2>&1; then
  $SUDO lpadmin -p DEZENARIO-DENIED -u allow:all
fi
add_queue DEZENARIO-DENIED cups-pdf:/ "$pdf"
$SUDO lpadmin -p DEZENARIO-DENIED -u allow:nobody
