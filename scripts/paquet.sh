#!/usr/bin/env bash
# Builds the Debian package of Quillvane: a Release build of the program alone in
# build/paquet, then CPack. The package is build/paquet/quillvane_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the program needs; lintian checks
# the package.
bash scripts/installer.sh paquet
cmake -S . -B build/paquet -DCMAKE_BUILD_TYPE=Release -DQUILLVANE_TESTS=OFF >/dev/null
cmake --build build/paquet --parallel 2
cd build/paquet
cpack -G DEB
ls "$PWD"/quillvane_*.deb
