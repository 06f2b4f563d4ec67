#!/usr/bin/env bash
# Load against parse on every shape of the benchmark generator, at about 2 MB
# and twice the declarations (about 4 MB), in one file and split: each
# dictionary is loaded with `mxfdict show --json` and parsed bare with
# `xsd-parse` (every .xsd file of its directory), in RUNS interleaved pairs
# (default 11) after one warm-up each (which gives the peak memory, by
# /usr/bin/time), both processes pinned to one processor (CPU, default 0).
# Prints a Markdown table of the median CPU times (user + system, by bash's
# time to the millisecond) and the median and range of the per-pair ratios,
# the peak memory of each process, the instructions of one callgrind run of
# each (INSTRUCTIONS=1; slow) and what doubling the declarations costs; with
# OUT=FILE the table also replaces the one between the marker lines of that
# file (docs/performance.md). The machine should be otherwise idle: the load
# average is printed at the start and the end.
#
#   scripts/compare-shapes.sh BUILD_DIR [RUNS]
#   SHAPES="register combined" LAYOUTS=one-file INSTRUCTIONS=1 scripts/compare-shapes.sh ...
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-11}
shapes=${SHAPES:-benchmark register appinfo-rich defaults namespaces set-heavy combined}
layouts=${LAYOUTS:-one-file split}
target=${TARGET_BYTES:-2000000}
mxfdict=$build/tools/mxfdict/mxfdict
parse=$build/bench/xsd-parse
generator=$build/bench/mxfdict-gen
pin=(taskset -c "${CPU:-0}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU seconds (user + system, to the millisecond) of one pinned run of the command.
cpu() {
  local TIMEFORMAT='%3U %3S'
  { time "${pin[@]}" "$@" >/dev/null 2>"$work/stderr"; } 2>"$work/time" || {
    echo "compare-shapes: failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  }
  awk '{ printf "%.3f\n", $1 + $2 }' "$work/time"
}
# Peak resident KiB of one run of the command.
peak() {
  /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>&1
  cat "$work/peak"
}
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    awk '/Collected :/ { print $NF }'
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
lowest() { printf '%s\n' "$@" | sort -g | head -1; }
highest() { printf '%s\n' "$@" | sort -g | tail -1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
mega() { awk -v n="$1" 'BEGIN { printf "%.0f", n / 1e6 }'; }

# The elements that make about `target` bytes of the shape: sizes grow
# linearly with the declarations.
elementsFor() {
  "$generator" --elements 1000 --shape "$1" --one-file "$work/calibrate" >/dev/null
  local bytes
  bytes=$(stat -c %s "$work/calibrate/MXFDictionary.xsd")
  rm -rf "$work/calibrate"
  awk -v t="$target" -v b="$bytes" 'BEGIN { printf "%d\n", int(100 * t / b + 0.5) * 10 }'
}

table=$work/table
{
  echo "| Shape | Files | Elements | Sets | Size | CPU: load / parse (s) | Load / parse: median (range) | Instructions: load / parse | Peak memory: load / parse (MiB) | Doubling: CPU (instructions) |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
} >"$table"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for shape in $shapes; do
  base=$(elementsFor "$shape")
  for layout in $layouts; do
    previousLoad="" previousInstructions=""
    for elements in "$base" $((base * 2)); do
      dir=$work/$shape-$layout-$elements
      summary=$("$generator" --elements "$elements" --shape "$shape" "--$layout" "$dir")
      sets=$(sed -E 's/.* ([0-9]+) sets.*/\1/' <<<"$summary")
      files=("$dir"/*.xsd)
      bytes=$(cat "${files[@]}" | wc -c)
      # The warm-up runs give the peak memory.
      loadKiB=$(peak "$mxfdict" show --json "$dir/MXFDictionary.xsd")
      bareKiB=$(peak "$parse" "${files[@]}")
      loads=() parses=() ratios=()
      for ((i = 0; i < runs; i++)); do
        load=$(cpu "$mxfdict" show --json "$dir/MXFDictionary.xsd")
        bare=$(cpu "$parse" "${files[@]}")
        loads+=("$load") parses+=("$bare") ratios+=("$(ratio "$load" "$bare")")
      done
      load=$(median "${loads[@]}") bare=$(median "${parses[@]}")
      counted="" loadInstructions=""
      if [ "${INSTRUCTIONS:-0}" = 1 ]; then
        loadInstructions=$(instructions "$mxfdict" show --json "$dir/MXFDictionary.xsd")
        parseInstructions=$(instructions "$parse" "${files[@]}")
        counted="$(mega "$loadInstructions") M / $(mega "$parseInstructions") M = $(ratio "$loadInstructions" "$parseInstructions")"
      fi
      doubling=""
      if [ -n "$previousLoad" ]; then
        doubling=$(ratio "$load" "$previousLoad")
        [ -n "$loadInstructions" ] && doubling="$doubling ($(ratio "$loadInstructions" "$previousInstructions"))"
      fi
      printf '| %s | %d | %d | %d | %.1f MB | %s / %s | **%s** (%s to %s) | %s | %s / %s = %s | %s |\n' \
        "$shape" "${#files[@]}" "$elements" "$sets" "$(awk -v b="$bytes" 'BEGIN { print b / 1e6 }')" \
        "$load" "$bare" "$(median "${ratios[@]}")" "$(lowest "${ratios[@]}")" \
        "$(highest "${ratios[@]}")" "$counted" "$(mib "$loadKiB")" "$(mib "$bareKiB")" \
        "$(ratio "$loadKiB" "$bareKiB")" "$doubling" | tee -a "$table" >&2
      previousLoad=$load previousInstructions=$loadInstructions
      rm -rf "$dir"
    done
  done
done
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
cat "$table"

# The table goes between the marker lines of OUT; everything else stays.
if [ -n "${OUT:-}" ]; then
  begin='<!-- compare-shapes: begin -->' end='<!-- compare-shapes: end -->'
  grep -qF "$begin" "$OUT" || { echo "compare-shapes: no line '$begin' in $OUT" >&2; exit 1; }
  awk -v begin="$begin" -v end="$end" -v table="$table" '
    $0 == begin { print; while ((getline line < table) > 0) print line; skip = 1; next }
    $0 == end { skip = 0 }
    !skip { print }' "$OUT" >"$work/out"
  cat "$work/out" >"$OUT"
fi
