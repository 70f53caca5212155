#!/usr/bin/env bash
# Makes or improves the program's own table of wheels, wheel/table/wheels.tsv, on this machine:
# the constructions first; then, for each cell, the coverings that groups of permutations leave as
# they are (where m = t), the program's own search on both cores from the table's wheel, for
# SECONDS a cell, and the wheel covered again a neighbourhood at a time (where m = t). A wheel is
# kept only when the check passes it and it is smaller; commit the table afterwards. CI never runs
# this: it takes as long as it is given.
#   scripts/improve-wheels.sh SECONDS [k t m v]...
# With no cell named, every cell of games of 6 that bench_wheels measures (t = 3, 4 and 5, from 7
# to 30 numbers, where the best known covering has under 3 000 games), smallest first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: $0 SECONDS [k t m v]...}
shift
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target improve_wheels >/dev/null
tool=build/tools/improve_wheels
table=wheel/table/wheels.tsv
"$tool" "$table" --constructions
cells=("$@")
if [ ${#cells[@]} -eq 0 ]; then
  read -ra cells < <(awk -F'\t' '!/^#/ && $1 == 6 && $2 >= 3 && $2 <= 5 && $3 >= 7 && $4 < 3000 \
    { print $4, $1, $2, $2, $3 }' ../shared/wheels/best-known.tsv | sort -n | cut -d' ' -f2- | tr '\n' ' ')
fi
[ $((${#cells[@]} % 4)) -eq 0 ] || { echo "$0: each cell is four numbers: k t m v" >&2; exit 2; }
for ((i = 0; i < ${#cells[@]}; i += 4)); do
  read -r k t m v <<<"${cells[*]:i:4}"
  [ "$t" != "$m" ] || "$tool" "$table" --groups "$k" "$t" "$v" 300000000 2
  "$tool" "$table" "$k" "$t" "$m" "$v" "$seconds" "$((i / 4 + 1))"
  [ "$t" != "$m" ] || "$tool" "$table" --reoptimize "$k" "$t" "$v" 1000 40 1000000
done
"$tool" "$table" --constructions # again: 25, 28, 29 and 30 numbers are made of the table's games of 5
