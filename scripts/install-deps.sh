#!/usr/bin/env bash
# Installs, from Debian's packages, everything the project builds and tests with.
# Idempotent: when every package is already installed it only runs dpkg-query.
#
# XQilla is not packaged in the current Debian release.  The previous release
# (bullseye) ships libxqilla-dev 2.3.4, which works with the current Xerces-C
# 3.2.  When no configured suite offers it, the bullseye suite is added with the
# mirror URI that this machine already uses for Debian, pinned below the default
# release so that only packages missing from it are taken from bullseye.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format
  libclang-rt-dev valgrind
  libxerces-c-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  libxqilla-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# The URI of the configured Debian archive (not the security archive), taken
# from deb822 .sources files or from one-line .list files.
debian_mirror() {
  local f uri
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uri=$(awk '
      /^[[:space:]]*$/ { if (uri != "" && suites ~ /(^| )(bookworm|trixie|bullseye|stable|testing|sid)( |$)/ && uri !~ /security/) { print uri; exit } uri=""; suites=""; next }
      /^URIs:/   { uri=$2 }
      /^Suites:/ { $1=""; suites=$0 }
      END { if (uri != "" && uri !~ /security/) print uri }' "$f" | head -n1)
    if [ -n "$uri" ]; then echo "$uri"; return; fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    uri=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z+]+:\/\//) { print $i; exit } }' "$f" | head -n1)
    if [ -n "$uri" ]; then echo "$uri"; return; fi
  done
}

$SUDO apt-get update -qq

if ! apt-cache policy libxqilla-dev 2>/dev/null | grep -q 'Candidate: [0-9]'; then
  mirror=$(debian_mirror)
  if [ -z "$mirror" ]; then
    echo "install-deps: no Debian source found in the apt configuration" >&2
    exit 1
  fi
  echo "install-deps: adding bullseye from $mirror for libxqilla-dev"
  $SUDO tee /etc/apt/sources.list.d/bullseye-xqilla.sources >/dev/null <<SRC
Types: deb
URIs: ${mirror}
Suites: bullseye
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  $SUDO tee /etc/apt/preferences.d/bullseye-xqilla >/dev/null <<'PIN'
Package: *
Pin: release n=bullseye
Pin-Priority: 100
PIN
  $SUDO apt-get update -qq
fi

$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: done"
