#!/usr/bin/env bash
# What reading a small MXF file costs beside loading the dictionary, and what
# the type definitions add to it, whole process: a dictionary imported from a
# register snapshot, then RUNS rounds (default 11, after one warm-up each) of
#   read   mxfdict read --schema DICT FILE
#   show   mxfdict show --json DICT
#   plain  mxfdict read --schema DICT-WITHOUT-TYPE-DEFINITIONS FILE
# Prints the median CPU time (user + system) and peak memory of each and the
# medians of the per-round ratios read / show and read / plain.
#
#   scripts/compare-read-show.sh BUILD_DIR REGISTERS_DIR FILE.mxf [RUNS]
set -euo pipefail
build=$1
registers=$2
file=$3
runs=${4:-11}
mxfdict=$build/tools/mxfdict/mxfdict
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$mxfdict" import-registers "$registers" "$work/full" >/dev/null 2>&1
# The same dictionary without its type definitions: the top file no longer
# imports them and no element names one.
cp -r "$work/full" "$work/plain"
sed -i '/MXFTypeDefinitions.xsd/d' "$work/plain/MXFDictionary.xsd"
sed -i '/source="Type Definition"/d' "$work/plain"/*.xsd

# CPU seconds and peak KiB of one run of the command.
measure() {
  /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" >/dev/null 2>&1 || true
  # The last line: time(1) puts "Command exited with non-zero status" first
  # (read exits with 4 for a file with problems).
  awk 'END { printf "%.3f %d\n", $1 + $2, $3 }' "$work/time"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

read_cmd=("$mxfdict" read --schema "$work/full/MXFDictionary.xsd" "$file")
show_cmd=("$mxfdict" show --json "$work/full/MXFDictionary.xsd")
plain_cmd=("$mxfdict" read --schema "$work/plain/MXFDictionary.xsd" "$file")
measure "${read_cmd[@]}" >/dev/null
measure "${show_cmd[@]}" >/dev/null
measure "${plain_cmd[@]}" >/dev/null
reads=() shows=() plains=() toShow=() toPlain=()
for ((i = 0; i < runs; i++)); do
  read -r r rKiB < <(measure "${read_cmd[@]}")
  read -r s sKiB < <(measure "${show_cmd[@]}")
  read -r p pKiB < <(measure "${plain_cmd[@]}")
  reads+=("$r") shows+=("$s") plains+=("$p")
  toShow+=("$(ratio "$r" "$s")") toPlain+=("$(ratio "$r" "$p")")
done
echo "dictionary: $(du -cb "$work"/full/*.xsd | tail -1 | cut -f1) bytes; file: $file; runs: $runs"
echo "read:  $(median "${reads[@]}") s CPU, peak $((rKiB / 1024)) MiB"
echo "show:  $(median "${shows[@]}") s CPU, peak $((sKiB / 1024)) MiB"
echo "plain: $(median "${plains[@]}") s CPU, peak $((pKiB / 1024)) MiB (read without type definitions)"
echo "read / show --json, median of rounds: $(median "${toShow[@]}")"
echo "read / read without type definitions, median of rounds: $(median "${toPlain[@]}")"
