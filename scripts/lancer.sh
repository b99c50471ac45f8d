#!/usr/bin/env bash
# Installs what is missing, builds Quillvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer.sh
bash scripts/construire.sh --target quillvane
# The web view's sandbox refuses to run as root.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec ./build/src/quillvane "$@"
