#!/usr/bin/env bash
# Installs what is missing, builds Quillvane and starts it on a fresh copy of the sample
# (data/exemple), so that the shipped files are never rewritten. Given a file, it opens that.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer.sh lancer
bash scripts/construire.sh --target quillvane
# The web view's sandbox refuses to run as root.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
if [ $# -eq 0 ]; then
  copie=$(mktemp -d)
  cp data/exemple/* "$copie"/
  echo "Copie de l'exemple : $copie"
  set -- "$copie/Ports_bretons.gpx"
fi
exec ./build/src/quillvane "$@"
