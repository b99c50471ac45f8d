#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (no display needed), then
# runs the QtTest executables again built with AddressSanitizer, UndefinedBehaviorSanitizer
# and leak checks (build-asan/, those executables only): any report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer.sh tester
bash scripts/construire.sh
(cd build && ctest --output-on-failure --parallel 2)

cmake -S . -B build-asan -DQUILLVANE_SANITIZERS=ON -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_FLAGS="-O1 -g1" >/dev/null
cmake --build build-asan --parallel 2 --target quillvane_tests
cd build-asan
ctest --output-on-failure --parallel 2 -L quillvane_tests
