#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer.sh
bash scripts/construire.sh
cd build
ctest --output-on-failure --parallel 2
