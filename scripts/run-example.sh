#!/usr/bin/env bash
# The main job: installs the packages the build needs, builds the libraries
# and the tool (nothing else: no tests, no benchmarks) and shows the shipped
# example dictionary. Progress goes to standard error, the example to
# standard output. Extra arguments go to `mxfdict show` (--json,
# --documentation, --length-description, or another schema file).
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
echo "run-example: [1/3] the Debian packages (scripts/install-deps.sh)" >&2
bash "$scripts/install-deps.sh" >&2
echo "run-example: [2/3] the libraries and mxfdict, built into build/example" >&2
"$scripts/mxfdict" --version >/dev/null
echo "run-example: [3/3] mxfdict show${*:+ $*}" >&2
exec "$scripts/mxfdict" show "$@"
