#!/usr/bin/env bash
# The Windows program under Wine, on an X display (xvfb-run): its identity read back from the
# built files; installed silently into a prefix that sees no font but its own, installed again
# over itself, it starts, and the Windows build of the window's tests finds its captions whole at
# 100 % to 200 % and analyses; then its uninstaller leaves nothing behind. Then the Linux test
# prints each of its rows through windows_row.sh, from a second prefix (Wine's PostScript driver
# needs the host's fonts), and reads the sheets back; so too a run printed again from the runs
# kept, and one that could not be kept. argv: the Windows build folder (installer built), the
# Linux tst_dezenario.
set -euo pipefail
win=$(realpath "$1")
export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" QT_QPA_PLATFORM=windows # no Mono or Gecko to offer
installer=$(ls "$win"/DEZENARIO-*-win64.exe)
work=$(mktemp -d)
trap '$WINESERVER -k 2>/dev/null || :; rm -rf "$work"' EXIT # the prefix in use when it ends
fail() { echo "FAIL: $*" && exit 1; }

# What Explorer's Details and Windows read from the program and its installer: version 1.2.0.0,
# fixed (FILEVERSION and PRODUCTVERSION 1,2,0,0) and in strings for Brazilian Portuguese
# (translation 0x0416 1200), and the program's manifest.
for exe in "$win/app/dezenario.exe" "$installer"; do
  info=$(wrestool -x --raw -t 16 "$exe" | strings -el | tr '\n' '|')
  bytes=$(wrestool -x --raw -t 16 "$exe" | od -An -tx1 | tr -d ' \n')
  for want in 041604B0 ProductName\|dezenario FileVersion\|1.2.0.0 ProductVersion\|1.2.0.0; do
    [[ ${info^^} == *"|${want^^}|"* ]] || fail "$exe has no $want: $info"
  done
  [[ $bytes == *bd04effe0000????02000100000000000200010000000000* && $bytes == *1604b004* ]] ||
    fail "$exe is not version 1,2,0,0 in Brazilian Portuguese: $bytes"
done
manifest=$(wrestool -x --raw -t 24 -n 1 "$win/app/dezenario.exe")
for want in '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '>PerMonitorV2<' 'level="asInvoker"'; do
  [[ $manifest == *"$want"* ]] || fail "the program's manifest has no $want: $manifest"
done

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
suites=(tst_alignment tst_runs tst_wheel tst_wheeltable tst_fechamento tst_results tst_resultados
  tst_pool tst_bolao) # whole, beside the rows of tst_dezenario
with_tests() { for exe in tst_dezenario "${suites[@]}"; do cp "$win/tests/$exe.exe" "$installed/"; done && cp "$win/tests/Qt6Test.dll" "$installed/"; }

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
# 100 %), and at 100 % the analysis of what Windows' clipboard carries differently: its line
# breaks, and control characters; the preview of a text with every problem in it; and CONFERIR on
# one text. A paste
# under Wine takes seconds, so only these rows.
pasted=("analysis:worked example: each line keeps its last number"
  "analysis:separator of two, lines of LF alone"
  "analysis:lines of CR alone and Unicode separators, 300 of them"
  "analysis:NUL and control characters"
  "preview:every problem"
  check)
with_tests
log=$work/bare/tests.txt
for dpi in 96 120 144 192; do
  $WINE reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null
  functions=(startsWhole)
  [ $dpi = 96 ] && functions+=("${pasted[@]}")
  DEZENARIO_SCALE=$(awk "BEGIN {print $dpi / 96}") \
    $WINE "$installed/tst_dezenario.exe" -o "Z:$log,txt" "${functions[@]}" ||
    { echo "at $dpi dpi:" && grep -av '^QCRITICAL.*EnableNonClientDpiScaling' "$log"; exit 1; }
done

# The alignment's values kept per printer in the registry, each name apart; the runs kept; a wheel;
# the lottery's results file in each form, imported from the menu, and a Teimosinha checked, on
# files that Python makes here (the tests cannot run the host's Python from Wine).
mkdir "$work/results"
/usr/bin/python3 "$(dirname "$(realpath "$0")")/make_results.py" "$work/results"
export DEZENARIO_RESULTS_FILES="Z:$work/results"
for suite in "${suites[@]}"; do
  $WINE "$installed/$suite.exe" -o "Z:$log,txt" || { cat "$log" && exit 1; }
done

# Removed as a user removes it from Apps: nothing of it is left.
for exe in tst_dezenario "${suites[@]}"; do rm "$installed/$exe.exe"; done && rm "$installed/Qt6Test.dll"
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
DEZENARIO_WINE_TEST=$(dirname "$(realpath "$0")")/windows_row.sh QT_QPA_PLATFORM=offscreen "$2" print reprint notKept
