#!/usr/bin/env bash
# Runs scripts/install-deps.sh against stand-ins for apt, dpkg and sudo, so
# that every way of finding XQilla is exercised without touching the machine's
# apt configuration.  Each case sets what is installed, what the configured
# suites offer and whether the mirror still serves bullseye.
set -uo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

mkdir -p "$work/bin"
stub() { cat >"$work/bin/$1"; chmod +x "$work/bin/$1"; }

stub id <<'S'
#!/bin/sh
echo 1000
S
stub dpkg <<'S'
#!/bin/sh
echo amd64
S
# Packages named in $INSTALLED are installed.
stub dpkg-query <<'S'
#!/bin/sh
for p in $INSTALLED; do
  [ "$p" = "$3" ] && { printf 'install ok installed'; exit 0; }
done
exit 1
S
# libxqilla-dev has a candidate when a configured suite offers it, or when
# bullseye was added and the mirror serves it.
stub apt-cache <<'S'
#!/bin/sh
if [ $# -eq 1 ]; then
  cat <<P
Package files:
 100 /var/lib/dpkg/status
     release a=now
 500 http://mirror.invalid/debian bookworm/main amd64 Packages
     release v=12,o=Debian,a=stable,n=bookworm,l=Debian,c=main,b=amd64
P
  exit 0
fi
if [ "$OFFERED" = 1 ] || { [ -f "$STATE/bullseye-xqilla.sources" ] && [ "$SERVED" = 1 ]; }; then
  echo "  Candidate: 2.3.4-1+b1"
else
  echo "  Candidate: (none)"
fi
# Like apt-cache, the version table follows the candidate in a later write,
# after a reader that stopped at the candidate may have gone.
sleep 0.2
echo "  Version table:"
S
stub apt-get <<'S'
#!/bin/sh
echo "apt-get $*" >>"$STATE/log"
if [ "$1" = update ] && [ -f "$STATE/bullseye-xqilla.sources" ] && [ "$SERVED" != 1 ]; then
  exit 100
fi
exit 0
S
# Writes and removals of apt's configuration land in $STATE.
stub sudo <<'S'
#!/bin/sh
case "$1" in
  tee) cat >"$STATE/$(basename "$2")"; echo "tee $2" >>"$STATE/log" ;;
  rm) shift 2; for f; do rm -f "$STATE/$(basename "$f")"; done; echo "rm" >>"$STATE/log" ;;
  *) exec "$@" ;;
esac
S

# run NAME EXPECTED_STATUS INSTALLED OFFERED SERVED DEBS_DIR, then checks
# given as "grep PATTERN FILE" or "! grep ..." on output, log and state.
run() {
  local name=$1 want=$2
  export INSTALLED=$3 OFFERED=$4 SERVED=$5 STATE="$work/state-$name"
  mkdir -p "$STATE" && : >"$STATE/log"
  if [ -n "$6" ]; then export PALIMO_XQILLA_DEBS=$6; else unset PALIMO_XQILLA_DEBS; fi
  PATH="$work/bin:$PATH" bash "$script" >"$STATE/out" 2>&1
  local got=$?
  shift 6
  local ok=1
  [ "$got" = "$want" ] || { echo "$name: exit status $got, expected $want"; ok=0; }
  local check
  for check in "$@"; do
    (cd "$STATE" && eval "$check") >/dev/null || { echo "$name: failed: $check"; ok=0; }
  done
  if [ $ok = 0 ]; then
    failures=$((failures + 1))
    sed 's/^/  | /' "$STATE/out" "$STATE/log"
  fi
}

all="build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-dev valgrind
libxerces-c-dev libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
libcli11-dev python3-jsonschema"
debs="$work/debs" && mkdir -p "$debs" && touch "$debs/libxqilla-dev_2.3.4-1+b1_amd64.deb" \
  "$debs/libxqilla6v5_2.3.4-1+b1_amd64.deb"
half="$work/half" && mkdir -p "$half" && touch "$half/libxqilla-dev_2.3.4-1+b1_amd64.deb"

run installed 0 "$all libxqilla-dev" 0 0 "" \
  "grep -q 'everything is installed' out" "! grep -q apt-get log"
run offered 0 "" 1 0 "" \
  "grep -q 'install .*cmake.* libxqilla-dev' log" "! grep -q tee log"
run only-xqilla-installed 0 "libxqilla-dev" 0 0 "" \
  "grep -q 'install .*cmake' log" "! grep -q tee log"
run bullseye 0 "$all" 0 1 "" \
  "grep -q 'adding bullseye from http://mirror.invalid/debian/\?' out" \
  "grep -q 'URIs: http://mirror.invalid/debian' bullseye-xqilla.sources" \
  "grep -q 'Pin-Priority: 100' bullseye-xqilla" "grep -q 'install .* libxqilla-dev' log"
run not-served 1 "$all" 0 0 "" \
  "grep -q 'does not serve bullseye' out" "grep -q 'PALIMO_XQILLA_DEBS=<that directory>' out" \
  "grep -q 'libxqilla6v5_2.3.4-1+b1_amd64.deb' out" \
  "! test -e bullseye-xqilla.sources" "! test -e bullseye-xqilla" "! grep -q 'install' log"
run debs 0 "$all" 0 0 "$debs" \
  "grep -q \"install .* $debs/libxqilla-dev_2.3.4-1+b1_amd64.deb $debs/libxqilla6v5_2.3.4-1+b1_amd64.deb\" log" \
  "! grep -q 'install .* libxqilla-dev ' log" "! test -e bullseye-xqilla.sources"
run debs-lack-runtime 1 "$all" 0 0 "$half" \
  "grep -q 'must hold libxqilla-dev_2.3.4-\*_amd64.deb and libxqilla6v5' out" "! grep -q install log"
run debs-not-a-directory 1 "$all" 0 0 "$work/none" \
  "grep -q 'is not a directory' out" "! grep -q install log"

[ $failures = 0 ] && echo "install-deps: every case passed"
exit $((failures > 0))
