#!/usr/bin/env bash
# Builds the Debian package and puts it through Debian's own checks (lintian,
# appstreamcli, desktop-file-validate, man), checks that its dependencies
# cover what the program loads at run time, installs it without recommended
# packages, checks that its window appears, and removes it again.
set -euo pipefail
build=${1:?build directory}
cd "$build"

rm -f dezenario_*.deb
cpack -G DEB >/dev/null
deb=$(ls dezenario_*.deb)
echo "built $deb, installed size $(dpkg-deb -f "$deb" Installed-Size) kB"

lintian --fail-on error,warning --display-level '>=warning' "$deb"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
for page in "$unpacked"/usr/share/man/man1/dezenario.1.gz "$unpacked"/usr/share/man/pt_BR/man1/dezenario.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done

# Whatever the program loads besides its libraries comes with the package's
# Depends alone: the X11 platform plugin, the JPEG reader of the mark, the
# font of the layout, Qt's Portuguese texts, the opener of the web site.
depends=$(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/[,|]/ /g')
# shellcheck disable=SC2086
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances $depends | grep -v '^ ' | sed 's/:.*//' | sort -u)
for file in platforms/libqxcb.so imageformats/libqjpeg.so DejaVuSansCondensed.ttf qtbase_pt_BR.qm /usr/bin/xdg-open; do
  package=$(dpkg -S "$file" | head -n 1 | cut -d: -f1)
  grep -qx "$package" <<<"$closure" || { echo "$file comes from $package, which the package does not depend on"; exit 1; }
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq --no-install-recommends "./$deb" >/dev/null
trap 'rm -rf "$unpacked"; $SUDO apt-get remove -y -qq dezenario >/dev/null' EXIT
man -w dezenario | grep -qx /usr/share/man/man1/dezenario.1.gz
man -L pt_BR -w dezenario | grep -qx /usr/share/man/pt_BR/man1/dezenario.1.gz

# The installed program opens its window on an X display.
QT_QPA_PLATFORM=xcb timeout 30 xvfb-run -a bash -c '
  /usr/bin/dezenario & app=$!
  xdotool search --sync --name "^DEZENARIO\$" >/dev/null
  kill $app'
echo "package ok"
