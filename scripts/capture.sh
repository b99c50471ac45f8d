#!/usr/bin/env bash
# Screenshot of the real program for the README and the AppStream entry: Quillvane on a
# copy of the sample, in a virtual screen, with the first POI of the list clicked. Writes
# data/capture.png. Made without a network, it shows the chart drawn from the shorelines.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer.sh lancer xvfb imagemagick xdotool
bash scripts/construire.sh --target quillvane

travail=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$travail"' EXIT
mkdir "$travail/exemple"
cp data/exemple/* "$travail/exemple/"
# Settings, web storage and cache of its own: the user's are neither read nor changed.
export HOME=$travail XDG_CONFIG_HOME=$travail/config XDG_DATA_HOME=$travail/donnees \
  XDG_CACHE_HOME=$travail/cache
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

# Xvfb picks a free display number and writes it on descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$travail/ecran" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$travail/ecran" ] && break; sleep 0.2; done
export DISPLAY=:$(head -n1 "$travail/ecran")

./build/src/quillvane "$travail/exemple/Ports_bretons.gpx" &
pids+=($!)
fenetre=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillvane' | head -n1)
sleep 3
eval "$(xdotool getwindowgeometry --shell "$fenetre")"

# The window's designed client area is 15000 x 7065 twips, under the menu bar: from its
# width come the pixels per twip, from its height the menu bar. The POI list stands at
# (120, 1320) twips in its frame, itself at (120, 120); the first entry is its top line.
read -r x y < <(awk -v l="$WIDTH" -v h="$HEIGHT" 'BEGIN {
  e = l / 15000; barre = h - 7065 * e
  printf "%d %d\n", (240 + 400) * e, barre + (1440 + 110) * e }')
xdotool mousemove --window "$fenetre" "$x" "$y" click 1

# Without a network the web map fails to load, and the chart the program draws stands in its
# place: the sample's harbours around the one clicked.
sleep 10
import -window "$fenetre" data/capture.png
echo "data/capture.png : ${WIDTH}x${HEIGHT}"
