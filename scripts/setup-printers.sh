#!/usr/bin/env bash
# Sourced by the test command: starts CUPS when it is not running and adds two
# PDF queues for the tests (idempotent). The tests pick them through PRINTER,
# so the system's default printer is left as it is.
#   DEZENARIO-PDF        writes every job as a PDF into $HOME/PDF (cups-pdf)
#   DEZENARIO-REFUSING   rejects every job, to test how a refusal is reported

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
  done
fi

ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt.ppd/ {print $1; exit}')
[ -n "$ppd" ] || ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF/ {print $1; exit}')
for queue in DEZENARIO-PDF DEZENARIO-REFUSING; do
  lpstat -p "$queue" >/dev/null 2>&1 || lpadmin -p "$queue" -v cups-pdf:/ -m "$ppd" 2>/dev/null
  cupsenable "$queue"
done
cupsaccept DEZENARIO-PDF
cupsreject DEZENARIO-REFUSING

export PRINTER=DEZENARIO-PDF
export DEZENARIO_REFUSING_PRINTER=DEZENARIO-REFUSING
DEZENARIO_PDF_DIR="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
export DEZENARIO_PDF_DIR
mkdir -p "$DEZENARIO_PDF_DIR"
