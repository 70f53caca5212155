#!/usr/bin/env bash
# The Windows program under Wine, on an X display (xvfb-run): installed silently into a prefix that
# sees no font but its own, it starts, and the Windows build of the window's tests finds its
# captions whole and analyses. Then the Linux test prints each of its rows through --row below,
# from a second prefix (Wine's PostScript driver needs the host's fonts), and reads the sheets
# back. argv: the Windows build folder (installer built), the Linux tst_dezenario.
set -uo pipefail
if [ "$1" = --row ]; then # tag VARIABLE=value: a row of the Linux test's print, under Wine
  $WINESERVER -k >/dev/null 2>&1 # Wine reads the default printer once per server,
  $WINESERVER -p >/dev/null 2>&1 # which keeps the spooler service running, as Windows does
  [ "$2" = "no printing service" ] || $WINE net start spooler >/dev/null 2>&1
  # Wine drops CUPS's refusal of a job; Windows reports a spool folder that cannot take it.
  spool=$WINEPREFIX/drive_c/windows/system32/spool/printers
  refuse=false && [ "$2" = "refused at its start" ] && refuse=true
  $refuse && rmdir "$spool" && touch "$spool"
  log=$WINEPREFIX/row.txt # Wine does not pass a console's output on
  env "$3" $WINE "$installed/tst_dezenario.exe" "print:$2" -o "Z:$log,txt" >/dev/null 2>&1
  status=$?
  $refuse && rm "$spool" && mkdir "$spool"
  [ $status = 0 ] || cat "$log"
  exit $status
fi
set -e
win=$(realpath "$1")
export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" QT_QPA_PLATFORM=windows # no Mono or Gecko to offer
installer=$(ls "$win"/DEZENARIO-*-win64.exe)
work=$(mktemp -d)
trap '$WINESERVER -k 2>/dev/null || :; rm -rf "$work"' EXIT # the prefix in use when it ends

install_into() { # prefix
  export WINEPREFIX=$1 installed="$1/drive_c/Program Files/DEZENARIO"
  $WINE wineboot -i >/dev/null 2>&1
  $WINE "$installer" /S
  for file in dezenario.exe Uninstall.exe translations/qtbase_pt_BR.qm licencas/DejaVu.txt \
    "../../ProgramData/Microsoft/Windows/Start Menu/Programs/DEZENARIO/DEZENARIO.lnk"; do
    [ -f "$installed/$file" ] || { echo "FAIL: the installer did not install $file"; exit 1; }
  done
  cp "$win/tests/tst_dezenario.exe" "$win/tests/Qt6Test.dll" "$installed/"
}

printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/no-fonts.conf"
export FONTCONFIG_FILE=$work/no-fonts.conf
install_into "$work/bare"
$WINE "$installed/dezenario.exe" &
timeout 60 xdotool search --sync --onlyvisible --name '^DEZENARIO$' >/dev/null ||
  { echo "FAIL: the installed program shows no window"; exit 1; }
kill %1
log=$work/bare/tests.txt
$WINE "$installed/tst_dezenario.exe" -o "Z:$log,txt" startsWhole analysis ||
  { grep -av '^QCRITICAL.*EnableNonClientDpiScaling' "$log"; exit 1; }
$WINESERVER -k

unset FONTCONFIG_FILE
install_into "$work/printing"
DEZENARIO_WINE_TEST=$(realpath "$0") QT_QPA_PLATFORM=offscreen "$2" print
