#!/usr/bin/env bash
# Builds the Debian package of Quillvane: a Release build of the program alone in
# build/paquet, then CPack. The package is build/paquet/quillvane_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the program needs; lintian checks
# the package.
bash scripts/installer.sh paquet
# Debian's build flags, hardened as its own packages are (bind-now and PIE included).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/paquet -DCMAKE_BUILD_TYPE=Release -DQUILLVANE_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build/paquet --parallel 2
cd build/paquet
rm -f quillvane_*.deb
cpack -G DEB >/dev/null
paquet=$(ls "$PWD"/quillvane_*.deb)
# Debian's checks: any error or warning fails.
lintian --fail-on error,warning "$paquet"
echo "$paquet"
