#!/usr/bin/env bash
# Installs, from Debian's packages, everything the project builds and tests with.
# Idempotent: when every package is already installed it only runs dpkg-query.
#
# XQilla is not packaged in the current Debian release.  The previous release
# (bullseye) ships libxqilla-dev 2.3.4, which works with the current Xerces-C
# 3.2.  When no configured suite offers it, the bullseye suite is added with the
# mirror URI that this machine already uses for Debian, pinned below the default
# release so that only packages missing from it are taken from bullseye.  When
# that mirror no longer serves bullseye, the suite is removed again and the
# packages are installed from the .deb files in the directory that
# PALIMO_XQILLA_DEBS names; without it the script stops and says what to supply.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format
  libclang-rt-dev valgrind
  libxerces-c-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libcli11-dev python3-jsonschema
  libxqilla-dev
)

# Commands' output is taken whole before it is matched: under pipefail, a
# `grep -q` that stops reading at its match kills a writer that has more to say
# (SIGPIPE), and the pipeline then fails although the text was there.
missing=()
for p in "${packages[@]}"; do
  if [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) != *"install ok installed"* ]]; then
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

xqilla_offered() {
  [[ $(apt-cache policy libxqilla-dev 2>/dev/null) =~ Candidate:\ [0-9] ]]
}

bullseye_sources=/etc/apt/sources.list.d/bullseye-xqilla.sources
bullseye_pin=/etc/apt/preferences.d/bullseye-xqilla
mirror=""

# Adds bullseye from this machine's Debian mirror; succeeds when that makes
# libxqilla-dev installable, and otherwise leaves the apt configuration as it
# was (a mirror that dropped bullseye fails the update with a missing Release).
add_bullseye() {
  mirror=$(debian_mirror)
  if [ -z "$mirror" ]; then
    echo "install-deps: no Debian source found in the apt configuration" >&2
    return 1
  fi
  echo "install-deps: adding bullseye from $mirror for libxqilla-dev"
  $SUDO tee "$bullseye_sources" >/dev/null <<SRC
Types: deb
URIs: ${mirror}
Suites: bullseye
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  $SUDO tee "$bullseye_pin" >/dev/null <<'PIN'
Package: *
Pin: release n=bullseye
Pin-Priority: 100
PIN
  if $SUDO apt-get update -qq && xqilla_offered; then
    return 0
  fi
  echo "install-deps: $mirror does not serve bullseye's libxqilla-dev; bullseye removed again" >&2
  $SUDO rm -f "$bullseye_sources" "$bullseye_pin"
  $SUDO apt-get update -qq || true
  return 1
}

# The XQilla .deb files in PALIMO_XQILLA_DEBS, as absolute paths that apt
# installs with their dependencies; stops when the directory lacks them.
xqilla_debs() {
  local dir=$1 arch
  arch=$(dpkg --print-architecture)
  if [ ! -d "$dir" ]; then
    echo "install-deps: PALIMO_XQILLA_DEBS=$dir is not a directory" >&2
    return 1
  fi
  dir=$(cd "$dir" && pwd)
  local debs=()
  local f
  for f in "$dir"/libxqilla*_"$arch".deb; do
    [ -f "$f" ] && debs+=("$f")
  done
  if [[ " ${debs[*]} " != *"/libxqilla-dev_"* || " ${debs[*]} " != *"/libxqilla6v5_"* ]]; then
    echo "install-deps: $dir must hold libxqilla-dev_2.3.4-*_$arch.deb and libxqilla6v5_2.3.4-*_$arch.deb" >&2
    return 1
  fi
  printf '%s\n' "${debs[@]}"
}

$SUDO apt-get update -qq

if [[ " ${missing[*]} " == *" libxqilla-dev "* ]] && ! xqilla_offered && ! add_bullseye; then
  if [ -z "${PALIMO_XQILLA_DEBS:-}" ]; then
    arch=$(dpkg --print-architecture)
    cat >&2 <<MSG
install-deps: libxqilla-dev (XQilla 2.3) is missing: no configured apt source offers it${mirror:+, and $mirror does not serve bullseye either}.
Supply Debian bullseye's packages libxqilla-dev_2.3.4-1+b1_$arch.deb and
libxqilla6v5_2.3.4-1+b1_$arch.deb (from Debian's archive of old releases or a
machine that has them, e.g. with 'apt-get download libxqilla-dev libxqilla6v5'),
put them in one directory and run again with PALIMO_XQILLA_DEBS=<that directory>.
MSG
    exit 1
  fi
  mapfile -t debs < <(xqilla_debs "$PALIMO_XQILLA_DEBS")
  [ ${#debs[@]} -gt 0 ] || exit 1
  echo "install-deps: installing XQilla from $PALIMO_XQILLA_DEBS"
  others=()
  for p in "${missing[@]}"; do
    [ "$p" = libxqilla-dev ] || others+=("$p")
  done
  missing=("${others[@]}" "${debs[@]}")
fi

$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: done"
