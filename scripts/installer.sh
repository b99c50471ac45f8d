#!/usr/bin/env bash
# Installs the Debian packages that one command of the project needs (only those missing):
#   bash scripts/installer.sh lancer|tester|fuzz|paquet [PAQUET...]
# Every command builds the program, so each takes the `lancer` list and then its own; more
# packages may follow (scripts/capture.sh adds its screen tools). One package a line.
set -euo pipefail

# Building and running the program.
lancer=(
  build-essential
  cmake
  qt6-base-dev
  qt6-webengine-dev
  libgl-dev
  qt6-translations-l10n
  xdg-utils
  fonts-liberation2
  # The chart without network: netCDF reads the GSHHG shorelines, at low and high resolution.
  libnetcdf-dev
  gmt-gshhg-low
  gmt-gshhg-high
)
# The tests: the installed tree's desktop entry, AppStream file and man page are validated,
# the printout's text is read out of its PDF, written GPX files are checked against the GPX
# schema (xmllint), and the second run is built with the
# compiler's address and undefined-behaviour sanitizers.
tester=(
  desktop-file-utils
  appstream
  groff-base
  poppler-utils
  libxml2-utils
  libasan8
  libubsan1
)
# The fuzz targets: clang and its libFuzzer.
fuzz=(
  clang
  libclang-rt-14-dev
)
# The Debian package: dpkg-shlibdeps (dpkg-dev) and file find its libraries, lintian checks it.
paquet=(
  dpkg-dev
  file
  lintian
)

commande=${1:-}
case $commande in
  lancer) paquets=("${lancer[@]}") ;;
  tester) paquets=("${lancer[@]}" "${tester[@]}") ;;
  fuzz) paquets=("${lancer[@]}" "${fuzz[@]}") ;;
  paquet) paquets=("${lancer[@]}" "${paquet[@]}") ;;
  *)
    echo "usage: bash scripts/installer.sh lancer|tester|fuzz|paquet [PAQUET...]" >&2
    exit 2
    ;;
esac
shift
paquets+=("$@")

manquants=()
for paquet in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed" ||
    manquants+=("$paquet")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${manquants[@]}"
