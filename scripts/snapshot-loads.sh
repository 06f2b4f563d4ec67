#!/usr/bin/env bash
# Writes what `mxfdict show --json` makes of many schemas, with and without
# both loader switches, so that two builds of the loader can be compared with
# `diff -r`: the shipped example, every schema under tests/data and the fuzz
# seed corpora, generated dictionaries of every shape (in one file and split)
# and, when the register snapshot is present, its import. A refused schema
# gives its exit status and message instead of the JSON.
#
#   scripts/snapshot-loads.sh BUILD_DIR OUT_DIR
#   diff -r before/ after/
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mxfdict=$build/tools/mxfdict/mxfdict
generator=$build/bench/mxfdict-gen
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

schemas=("$root/examples/mxf-dictionary/MXFDictionary.xsd")
while IFS= read -r f; do schemas+=("$f"); done < <(
  cd "$root" && find tests/data fuzz/corpus fuzz/corpus-large -name '*.xsd' | sort | sed "s|^|$root/|")
for shape in "100 1" "1000 2" "3000 7"; do
  set -- $shape
  "$generator" --elements "$1" --seed "$2" "$work/gen-$1-$2" >/dev/null
  schemas+=("$work/gen-$1-$2/MXFDictionary.xsd")
done
for shape in register appinfo-rich defaults namespaces set-heavy combined; do
  for layout in one-file split; do
    "$generator" --elements 600 --seed 5 --shape "$shape" "--$layout" "$work/gen-$shape-$layout" \
      >/dev/null
    schemas+=("$work/gen-$shape-$layout/MXFDictionary.xsd")
  done
done
registers="$root/../shared/data/registers-2021"
if [ -d "$registers" ]; then
  "$mxfdict" import-registers "$registers" "$work/registers" >/dev/null 2>&1
  schemas+=("$work/registers/MXFDictionary.xsd")
fi

for schema in "${schemas[@]}"; do
  name=${schema#"$root/"}
  name=${name#"$work/"}
  name=${name//\//_}
  for variant in plain switches; do
    flags=()
    [ "$variant" = switches ] && flags=(--documentation --length-description)
    status=0
    "$mxfdict" show --json "${flags[@]}" "$schema" >"$out/$name.$variant.json" \
      2>"$work/stderr" || status=$?
    # The load time differs from run to run; file paths of the scratch
    # directory too.
    { echo "exit $status"; sed "/^Load time:/d; s|$work|WORK|g; s|$root|ROOT|g" "$work/stderr"; } \
      >"$out/$name.$variant.status"
  done
done
echo "snapshot-loads: ${#schemas[@]} schemas in $out"
