#!/usr/bin/env bash
# Installs the dependencies, builds the tool and shows the shipped example
# dictionary. Extra arguments go to `mxfdict show` (--json, --documentation,
# --length-description, or another schema file).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >/dev/null
cmake -S . -B build/example -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPALIMO_BUILD_TESTS=OFF -DPALIMO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build/example --target mxfdict -j "$(nproc)" >/dev/null
exec build/example/tools/mxfdict/mxfdict show "$@"
