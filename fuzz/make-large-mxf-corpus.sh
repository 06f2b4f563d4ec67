#!/usr/bin/env bash
# Writes the hostile MXF files of hostile_mxf_stress (hundreds of megabytes in
# all: 4 GiB claimed by a primer, a set and a partition pack, 4 MB of empty
# items, chains and cycles of 1,000,000 and 10,000 sets, 256 MiB of arrays
# and texts, invalid UTF-8...) into OUT_DIR, as seeds of the MXF reader's
# large-input fuzzing. libFuzzer reads the first -max_len bytes of each.
#
#   fuzz/make-large-mxf-corpus.sh BUILD_DIR OUT_DIR
# BUILD_DIR: a plain build with the tests (it builds hostile_mxf_stress there).
set -euo pipefail
build=$1
out=$2
cmake --build "$build" --target hostile_mxf_stress
"$build/tests/hostile_mxf_stress" --write "$out"
