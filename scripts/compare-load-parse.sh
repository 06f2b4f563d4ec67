#!/usr/bin/env bash
# Whole-process comparison of a load with a bare DOM parse of the same files:
# `mxfdict show --json TOP` against `xsd-parse` of every .xsd file in TOP's
# directory (a generated or imported dictionary's directory holds just its
# own files), run in turn RUNS times (default 7) after one warm-up each.
# Prints the median CPU time (user + system) and peak memory of each and the
# median of the per-pair ratios.
#
#   scripts/compare-load-parse.sh BUILD_DIR TOP.xsd [RUNS]
set -euo pipefail
build=$1
top=$2
runs=${3:-7}
mxfdict=$build/tools/mxfdict/mxfdict
parse=$build/bench/xsd-parse
files=("$(dirname "$top")"/*.xsd)

# CPU seconds and peak KiB of one run of the command.
measure() {
  /usr/bin/time -f '%U %S %M' -o /tmp/compare-load-parse.$$ "$@" >/dev/null 2>&1
  awk '{ printf "%.3f %d\n", $1 + $2, $3 }' /tmp/compare-load-parse.$$
}
trap 'rm -f /tmp/compare-load-parse.$$' EXIT

measure "$mxfdict" show --json "$top" >/dev/null
measure "$parse" "${files[@]}" >/dev/null
loads=() parses=() ratios=() loadPeak=0 parsePeak=0
for ((i = 0; i < runs; i++)); do
  read -r load loadKiB < <(measure "$mxfdict" show --json "$top")
  read -r bare bareKiB < <(measure "$parse" "${files[@]}")
  loads+=("$load") parses+=("$bare")
  ratios+=("$(awk -v a="$load" -v b="$bare" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }')")
  loadPeak=$loadKiB parsePeak=$bareKiB
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "files: ${#files[@]}, $(du -cb "${files[@]}" | tail -1 | cut -f1) bytes; runs: $runs"
echo "load (mxfdict show --json): $(median "${loads[@]}") s CPU, peak $((loadPeak / 1024)) MiB"
echo "bare parse (xsd-parse):     $(median "${parses[@]}") s CPU, peak $((parsePeak / 1024)) MiB"
echo "load / parse, median of pairs: $(median "${ratios[@]}")"
