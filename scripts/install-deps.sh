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
  nlohmann-json3-dev libcli11-dev python3-jsonschema
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

# The URI of the Debian archive that serves this release's own suite, as apt
# itself reads its configuration (deb822 or one-line sources, disabled entries
# and other vendors' archives excluded): the index whose release line says
# o=Debian and n=<codename>.
debian_mirror() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 0
  apt-cache policy 2>/dev/null | awk -v codename="$codename" '
    $1 ~ /^[0-9]+$/ && $2 ~ /^[a-z+]+:\/\// { uri = $2; next }
    $1 == "release" && uri != "" {
      line = $0; sub(/^[ \t]*release[ \t]+/, "", line); n = "," line ","
      if (n ~ /,o=Debian,/ && n ~ ",n=" codename ",") { print uri; exit }
      uri = ""
    }'
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
