#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Quillvane (only those missing).
set -euo pipefail

paquets=(build-essential cmake qt6-base-dev qt6-webengine-dev libgl-dev qt6-translations-l10n xdg-utils
         fonts-liberation2)
# The chart without network: netCDF to read the GSHHG shorelines, at low and high resolution.
paquets+=(libnetcdf-dev gmt-gshhg-low gmt-gshhg-high)
manquants=()
# The tests check the installed tree with the desktop tools and groff; the fuzz targets want
# clang and libFuzzer, the package dpkg-shlibdeps; the other scripts add what they need as
# arguments.
paquets+=(desktop-file-utils appstream groff-base clang libclang-rt-14-dev dpkg-dev file "$@")
for paquet in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed" ||
    manquants+=("$paquet")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${manquants[@]}"
