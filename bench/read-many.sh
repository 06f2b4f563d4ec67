#!/usr/bin/env bash
# mxfdict read on many files in one call, against mediainfo on the same files.
# The real MXF files of the test data (tests/data/mxf, and the public
# converter's files of ../shared/data/regxml-peer when they are there) are
# copied to COUNT files (default 1000) and read with the dictionary imported
# from ../shared/data/registers-2023, whole process: `mxfdict read --jobs 1`,
# `mxfdict read --jobs 2` and `mediainfo`, each given all the files in one
# call, in turn RUNS times (default 5) after a warm-up, output to /dev/null.
# Prints the median elapsed and CPU (user + system) time and the peak memory of
# each, the ratios of the median elapsed times, the peak memory of both
# mxfdict runs at a tenth of the files, and the machine's load before and
# after (the figures mean little on a machine that is busy with other work).
#
#   bench/read-many.sh BUILD_DIR [RUNS] [-- READ_OPTION...]
#
# READ_OPTIONs go to both mxfdict runs (--summary, --json). Environment:
# COUNT, PALIMO_REGISTERS (a register snapshot's directory),
# PALIMO_REGXML_PEER.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: bench/read-many.sh BUILD_DIR [RUNS] [-- READ_OPTION...]}
shift
runs=5
if [ $# -gt 0 ] && [ "$1" != -- ]; then
  runs=$1
  shift
fi
if [ "${1:-}" = -- ]; then
  shift
fi
readOptions=("$@")
count=${COUNT:-1000}
mxfdict=$build/tools/mxfdict/mxfdict
registers=${PALIMO_REGISTERS:-$root/../shared/data/registers-2023}
peer=${PALIMO_REGXML_PEER:-$root/../shared/data/regxml-peer}
if ! command -v mediainfo >/dev/null; then
  echo "bench/read-many.sh: no mediainfo (Debian package mediainfo)" >&2
  exit 1
fi
if [ ! -f "$registers/Elements.xml" ]; then
  echo "bench/read-many.sh: no register snapshot at $registers" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$mxfdict" import-registers "$registers" "$work/dictionary" >/dev/null 2>&1
schema=$work/dictionary/MXFDictionary.xsd
sources=("$root"/tests/data/mxf/*.mxf)
if [ -d "$peer/mxf" ]; then
  sources+=("$peer"/mxf/*.mxf)
fi
mkdir "$work/files"
files=()
for ((i = 0; i < count; i++)); do
  source=${sources[i % ${#sources[@]}]}
  files+=("$work/files/$(printf '%05d' "$i")-$(basename "$source")")
  cp "$source" "${files[i]}"
done

# Elapsed seconds, CPU seconds and peak KiB of one run (mxfdict exits with 4
# for the problems of some files).
measure() {
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>&1 || true
  # The last line: time(1) puts "Command exited with non-zero status" first.
  awk 'END { printf "%.3f %.3f %d\n", $1, $2 + $3, $4 }' "$work/time"
}
read1() { measure "$mxfdict" read --schema "$schema" "${readOptions[@]}" --jobs 1 "$@"; }
read2() { measure "$mxfdict" read --schema "$schema" "${readOptions[@]}" --jobs 2 "$@"; }
info() { measure mediainfo "$@"; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
maximum() { printf '%s\n' "$@" | sort -g | tail -1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

loadBefore=$(cut -d' ' -f1-3 /proc/loadavg)
read1 "${files[@]}" >/dev/null
read2 "${files[@]}" >/dev/null
info "${files[@]}" >/dev/null
declare -A elapsed cpu peak
for ((r = 0; r < runs; r++)); do
  for tool in read1 read2 info; do
    read -r e c p < <("$tool" "${files[@]}")
    elapsed[$tool]+="$e " cpu[$tool]+="$c " peak[$tool]+="$p "
  done
done
tenth=("${files[@]:0:count/10}")
read -r _ _ tenthPeak1 < <(read1 "${tenth[@]}")
read -r _ _ tenthPeak2 < <(read2 "${tenth[@]}")
loadAfter=$(cut -d' ' -f1-3 /proc/loadavg)

row() {
  # shellcheck disable=SC2086
  printf '%-18s %7.3f s %7.3f s %6d MiB\n' "$1" "$(median ${elapsed[$2]})" \
    "$(median ${cpu[$2]})" "$(($(maximum ${peak[$2]}) / 1024))"
}
# shellcheck disable=SC2086
{
  e1=$(median ${elapsed[read1]}) e2=$(median ${elapsed[read2]}) ei=$(median ${elapsed[info]})
}
echo "machine: $(nproc) processors, load average $loadBefore before, $loadAfter after"
echo "files: $count copies of ${#sources[@]} files, $(du -sm "$work/files" | cut -f1) MB;" \
  "read options: ${readOptions[*]:-(none)}; runs: $runs (medians; peak: the highest)"
echo "                   elapsed       CPU      peak"
row "mxfdict --jobs 1" read1
row "mxfdict --jobs 2" read2
row "mediainfo" info
echo "--jobs 1 / mediainfo: $(ratio "$e1" "$ei") (target: at most 0.2)"
echo "--jobs 2 / --jobs 1:  $(ratio "$e2" "$e1") (target: at most 0.6)"
# shellcheck disable=SC2086
echo "peak at $((count / 10)) files: --jobs 1 $((tenthPeak1 / 1024)) MiB, --jobs 2" \
  "$((tenthPeak2 / 1024)) MiB; at $count files: $(($(maximum ${peak[read1]}) / 1024)) and" \
  "$(($(maximum ${peak[read2]}) / 1024)) MiB"
