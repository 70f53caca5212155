#!/usr/bin/env bash
# A function of the Linux test that prints ("print:row", "reprint"), run by the Windows build of
# the test under Wine. argv: the function, VARIABLE=value for the program, whether the spooler is
# "running" or "stopped", and whether its spool folder "takes" the job or "refuses" it. It runs
# from the prefix that windows.sh installed into, and needs what windows.sh exports:
: "${WINE:?}" "${WINESERVER:?}" "${WINEPREFIX:?}" "${installed:?}" # the program's folder
set -uo pipefail
tested=$1 variable=$2 spooler=$3 folder=$4
$WINESERVER -k >/dev/null 2>&1 # Wine reads the default printer once per server,
$WINESERVER -w
$WINESERVER -p >/dev/null 2>&1 # which keeps the spooler service running, as Windows does
[ "$spooler" = stopped ] || $WINE net start spooler >/dev/null 2>&1
spool=$WINEPREFIX/drive_c/windows/system32/spool/printers
[ "$folder" = takes ] || { rmdir "$spool" && touch "$spool"; }
log=$WINEPREFIX/row.txt # Wine does not pass a console's output on
env "$variable" $WINE "$installed/tst_dezenario.exe" "$tested" -o "Z:$log,txt" >/dev/null 2>&1
status=$?
[ "$folder" = takes ] || { rm "$spool" && mkdir "$spool"; }
[ $status = 0 ] || cat "$log"
exit $status
