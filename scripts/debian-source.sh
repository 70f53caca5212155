#!/usr/bin/env bash
# Fetches a Debian source package into the current folder, the way `apt-get source` does, on a
# machine whose apt sources list binary packages only (as Debian's installer and its cloud images
# leave them). The source entries are made from the system's own Debian entries, so the mirror
# the machine already uses serves them, and they live with their package lists in a folder of
# this script's own: the system's apt configuration is left as it was found.
#   debian-source.sh PACKAGE[=VERSION] [more apt-get source options]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PACKAGE[=VERSION] [apt-get source options]" >&2; exit 2; }

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
mkdir -p "$state/sources.list.d" "$state/lists/partial"

# One-line entries: each "deb" line of this release, as "deb-src".
lists=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do [ -f "$f" ] && lists+=("$f"); done
cat "${lists[@]}" /dev/null \
  | awk -v rel="$codename" '
      $1 == "deb" {
        n = 2
        if ($2 ~ /^\[/) { while ($n !~ /\]$/) n++; n++ }
        if ($(n + 1) ~ "^" rel "([-/]|$)") { $1 = "deb-src"; print }
      }' >"$state/sources.list"

# deb822 entries: each paragraph that serves binaries of this release, typed "deb-src".
i=0
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  i=$((i + 1))
  awk -v rel="$codename" '
    function flush() {
      if (para != "" && types ~ /(^|[ \t])deb([ \t]|$)/ && suites ~ "(^|[ \t])" rel "([-/ \t]|$)" && enabled !~ /no/)
        printf "%s\n", para
      para = ""; types = ""; suites = ""; enabled = ""
    }
    /^[ \t]*$/ { flush(); next }
    /^#/ { next }
    /^Types:/ { types = $0; sub(/^Types:/, "", types); para = para "Types: deb-src\n"; next }
    /^Suites:/ { suites = $0; sub(/^Suites:/, "", suites) }
    /^Enabled:/ { enabled = $0 }
    { para = para $0 "\n" }
    END { flush() }' "$f" >"$state/sources.list.d/debian-$i.sources"
done

if [ ! -s "$state/sources.list" ] && ! grep -qs . "$state"/sources.list.d/*.sources; then
  echo "$0: no Debian $codename entry in /etc/apt to take the sources from" >&2
  exit 1
fi

opts=(-o "Dir::Etc::SourceList=$state/sources.list" -o "Dir::Etc::SourceParts=$state/sources.list.d"
      -o "Dir::State::Lists=$state/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
      -o "APT::Sandbox::User=root")
apt-get "${opts[@]}" -qq update
apt-get "${opts[@]}" -qq source "$@"
