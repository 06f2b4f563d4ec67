#!/usr/bin/env bash
# Mutation check: how many hand-made faults of the library the test suite catches.
#
#   scripts/mutation-check.sh TREE BUILD [OUT]
#
# TREE is a checkout, BUILD an already configured Release build directory of
# it. For each entry of scripts/mutations.txt (beside this script; MUTATIONS=
# names another list) the fault is applied to TREE, BUILD is rebuilt and the
# tests are run; the file is always restored, also on failure or Ctrl-C, and
# BUILD is rebuilt clean at the end. Results go to OUT (default
# /tmp/mutations-<date>.tsv), one line each: id, result, seconds, first
# failing tests. Results: caught (built, some test failed), missed (all
# passed), invalid (the text was not found once, or the build failed).
#
#   ONLY=<id>[,<id>...]   run only these entries
#   DRY=1                 only check that every entry applies, build nothing
#   EXCLUDE=<regex>       ctest -E (default: valgrind|package_install|install_deps)
#   STOP=1                stop the tests of an entry at its first failure (faster;
#                         names only the first failing tests)
#
# Slow (a rebuild and a suite run per entry): a manual check, not part of CI.
set -euo pipefail

[[ $# -ge 2 ]] || { sed -n '2,20p' "$0"; exit 2; }
tree=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
out=${3:-/tmp/mutations-$(date +%Y-%m-%d).tsv}
list=${MUTATIONS:-$(cd "$(dirname "$0")" && pwd)/mutations.txt}
exclude=${EXCLUDE:-valgrind|package_install|install_deps}
ctest_args=(-j2 -E "$exclude" --timeout 300)
[[ -z ${STOP:-} ]] || ctest_args+=(--stop-on-failure)

work=$(mktemp -d)
# Split the list: ids, and per id its file, from and to lines.
awk -v dir="$work" '
    /^## / { id = $2; print id >> (dir "/ids"); mode = ""; printf "" > (dir "/" id ".to"); next }
    /^file: / { print substr($0, 7) > (dir "/" id ".file"); next }
    /^from:$/ { mode = "from"; next }
    /^to:$/ { mode = "to"; next }
    mode == "from" && /^-( |$)/ { print substr($0, 3) > (dir "/" id ".from"); next }
    mode == "to" && /^\+( |$)/ { print substr($0, 3) > (dir "/" id ".to"); next }
' "$list"
mapfile -t ids <"$work/ids"
if [[ -n ${ONLY:-} ]]; then
    IFS=, read -r -a ids <<<"$ONLY"
fi

# Refuse to mutate files with changes of their own: restoring would lose them.
files=()
for id in "${ids[@]}"; do
    [[ -f $work/$id.file ]] || { echo "no entry $id in $list" >&2; exit 2; }
    files+=("$(cat "$work/$id.file")")
done
dirty=$(git -C "$tree" status --porcelain -- "${files[@]}")
[[ -z $dirty ]] || { echo "uncommitted changes in files to mutate:" >&2; echo "$dirty" >&2; exit 2; }

# Replaces the from lines by the to lines in FILE; fails unless they occur once.
apply() {
    python3 - "$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1], open(sys.argv[2]).read(), open(sys.argv[3]).read()
text = open(path).read()
if ("\n" + text).count("\n" + old) != 1:
    sys.exit(1)
at = ("\n" + text).index("\n" + old)
open(path, "w").write(text[:at] + new + text[at + len(old):])
PY
}

saved=""
restore() {
    if [[ -n $saved ]]; then
        cp -p "$work/original" "$saved"
        touch "$saved" # newer than the mutated build
        saved=""
    fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

[[ -n ${DRY:-} ]] || : >"$out"
caught=0 invalid=0 total=0
for id in "${ids[@]}"; do
    file=$tree/$(cat "$work/$id.file")
    total=$((total + 1))
    start=$SECONDS
    cp -p "$file" "$work/original"
    saved=$file
    result=invalid failing=""
    if ! apply "$file" "$work/$id.from" "$work/$id.to"; then
        failing="from text not found exactly once"
    elif [[ -n ${DRY:-} ]]; then
        result=ok
    elif ! cmake --build "$build" -j2 >"$work/build.log" 2>&1; then
        failing="build failed: $(grep -m1 'error' "$work/build.log" || true)"
    else
        rm -f "$build/Testing/Temporary/LastTestsFailed.log"
        if ctest --test-dir "$build" "${ctest_args[@]}" >"$work/test.log" 2>&1; then
            result=missed
        else
            result=caught
            failing=$(cut -d: -f2- "$build/Testing/Temporary/LastTestsFailed.log" 2>/dev/null |
                sed 's/  # GetParam() = .*//' | head -5 | paste -sd, -)
        fi
    fi
    restore
    [[ $result == caught ]] && caught=$((caught + 1))
    [[ $result == invalid ]] && invalid=$((invalid + 1))
    seconds=$((SECONDS - start))
    printf '%-18s %-8s %4ss %s\n' "$id" "$result" "$seconds" "$failing"
    [[ -n ${DRY:-} ]] || printf '%s\t%s\t%s\t%s\n' "$id" "$result" "$seconds" "$failing" >>"$out"
done

[[ -n ${DRY:-} ]] && exit $((invalid > 0))
echo "rebuilding the unmutated tree"
cmake --build "$build" -j2 >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
echo "caught $caught of $total (invalid $invalid); results in $out"
