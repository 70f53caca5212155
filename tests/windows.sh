#!/usr/bin/env bash
# The Windows program under Wine, on an X display (xvfb-run). Its installer installs it silently
# into a fresh prefix that sees no font but those the program carries; the installed program
# starts and VISITE opens the site; the Windows build of the window's tests, run beside it, finds
# every caption whole at the font it carries and analyses pastes. Then the Windows program prints
# on the CUPS queues through Wine's printers, from a second prefix (Wine's PostScript driver needs
# the host's fonts), and the Linux test reads the sheets back.
# argv: the Windows build folder (installer built), the Linux tst_dezenario, the site of VISITE.
set -euo pipefail
win=$(realpath "$1")
linux_test=$2
site=$3
export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" QT_QPA_PLATFORM=windows # no Mono or Gecko to offer
installer=$(ls "$win"/DEZENARIO-*-win64.exe)
work=$(mktemp -d)
trap 'for p in "$work"/*/; do WINEPREFIX=$p $WINESERVER -k 2>/dev/null || true; done; rm -rf "$work"' EXIT

install_into() { # prefix
  export WINEPREFIX=$1
  $WINE wineboot -i >/dev/null 2>&1
  $WINE "$installer" /S
  installed="$WINEPREFIX/drive_c/Program Files/DEZENARIO"
  for file in dezenario.exe Uninstall.exe translations/qtbase_pt_BR.qm licencas/DejaVu.txt \
    "../../ProgramData/Microsoft/Windows/Start Menu/Programs/DEZENARIO/DEZENARIO.lnk"; do
    [ -f "$installed/$file" ] || { echo "FAIL: the installer did not install $file"; exit 1; }
  done
  cp "$win/tests/tst_dezenario.exe" "$win/tests/Qt6Test.dll" "$installed/"
}

printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/no-fonts.conf"
FONTCONFIG_FILE=$work/no-fonts.conf install_into "$work/bare"
# VISITE opens the site through Windows' default browser, which Wine hands to xdg-open: a stand-in here.
mkdir "$work/bin"
printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH=$work/bin:$PATH FONTCONFIG_FILE=$work/no-fonts.conf $WINE "$installed/dezenario.exe" &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^DEZENARIO$' | head -n 1)
[ -n "$window" ] || { echo "FAIL: the installed program shows no window"; exit 1; }
sleep 2
xdotool windowfocus "$window" key Tab Tab Tab Tab space # from the text box to VISITE
for _ in $(seq 1 100); do [ -s "$work/opened" ] && break; sleep 0.2; done
grep -qx "$site" "$work/opened" || { echo "FAIL: VISITE did not open $site"; exit 1; }
kill %1
log=$work/bare/tests.txt
FONTCONFIG_FILE=$work/no-fonts.conf $WINE "$installed/tst_dezenario.exe" -o "Z:$log,txt" startsWhole analysis ||
  { grep -av '^QCRITICAL.*EnableNonClientDpiScaling' "$log"; exit 1; } # Wine does not pass a console's output on
tail -n 2 "$log"
$WINESERVER -k

install_into "$work/printing"
$WINE "$win/tests/landscape.exe" DEZENARIO-WIDE # as its preferences would say
DEZENARIO_WINE_TEST="C:\\Program Files\\DEZENARIO\\tst_dezenario.exe" QT_QPA_PLATFORM=offscreen "$linux_test" print
