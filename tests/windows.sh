#!/usr/bin/env bash
# The Windows program under Wine, on an X display (xvfb-run): its identity read back from the
# built files; installed silently into a prefix that sees no font but its own, installed again
# over itself, it starts, and the Windows build of the window's tests finds its captions whole at
# 100 % to 200 % and analyses; then its uninstaller leaves nothing behind. Then the Linux test
# prints each of its rows through --row below, from a second prefix (Wine's PostScript driver
# needs the host's fonts), and reads the sheets back. argv: the Windows build folder (installer
# built), the Linux tst_dezenario.
set -uo pipefail
if [ "$1" = --row ]; then # tag VARIABLE=value: a row of the Linux test's print, under Wine
  $WINESERVER -k >/dev/null 2>&1 # Wine reads the default printer once per server,
  $WINESERVER -w
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
fail() { echo "FAIL: $*" && exit 1; }

/usr/bin/python3 "$(dirname "$0")/windows_identity.py" "$win/app/dezenario.exe" "$installer"

apps='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
menu="ProgramData/Microsoft/Windows/Start Menu/Programs/DEZENARIO"
install_into() { # prefix
  export WINEPREFIX=$1 installed="$1/drive_c/Program Files/DEZENARIO"
  $WINE wineboot -i >/dev/null 2>&1
  $WINE "$installer" /S
  for file in dezenario.exe Uninstall.exe translations/qtbase_pt_BR.qm licencas/DejaVu.txt \
    "../../$menu/DEZENARIO.lnk"; do
    [ -f "$installed/$file" ] || fail "the installer did not install $file"
  done
}
with_tests() { cp "$win/tests/tst_dezenario.exe" "$win/tests/Qt6Test.dll" "$installed/"; }

printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/no-fonts.conf"
export FONTCONFIG_FILE=$work/no-fonts.conf
install_into "$work/bare"
$WINE "$installer" /S # over the installed copy: it replaces it, with one entry in Apps
[ "$($WINE reg query "$apps" /s | grep -c 'DisplayName.*DEZENARIO')" = 1 ] ||
  fail "Apps does not list DEZENARIO once: $($WINE reg query "$apps" /s)"
$WINE reg query "$apps\\DEZENARIO" /v EstimatedSize | grep -q 'REG_DWORD' ||
  fail "Apps has no size for DEZENARIO"
$WINE "$installed/dezenario.exe" &
timeout 60 xdotool search --sync --onlyvisible --name '^DEZENARIO$' >/dev/null ||
  fail "the installed program shows no window"
kill %1
$WINESERVER -w

# The captions whole at 100, 125, 150 and 200 % (Windows' text goes through DirectWrite above
# 100 %), and the analysis at 100 %.
with_tests
log=$work/bare/tests.txt
for dpi in 96 120 144 192; do
  $WINE reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null
  functions=startsWhole && [ $dpi = 96 ] && functions="startsWhole analysis"
  # shellcheck disable=SC2086
  DEZENARIO_SCALE=$(awk "BEGIN {print $dpi / 96}") \
    $WINE "$installed/tst_dezenario.exe" -o "Z:$log,txt" $functions ||
    { echo "at $dpi dpi:" && grep -av '^QCRITICAL.*EnableNonClientDpiScaling' "$log"; exit 1; }
done

# Removed as a user removes it from Apps: nothing of it is left.
rm "$installed/tst_dezenario.exe" "$installed/Qt6Test.dll"
$WINE "$installed/Uninstall.exe" /S
$WINESERVER -w # the uninstaller goes on from a copy of itself
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed")"
[ ! -e "$WINEPREFIX/drive_c/$menu" ] || fail "the uninstaller left the Start-menu entry"
for key in "$apps\\DEZENARIO" 'HKLM\Software\DEZENARIO'; do
  ! $WINE reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left $key"
done
$WINESERVER -k

unset FONTCONFIG_FILE
install_into "$work/printing"
with_tests
DEZENARIO_WINE_TEST=$(realpath "$0") QT_QPA_PLATFORM=offscreen "$2" print
