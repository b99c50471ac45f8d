#!/usr/bin/env bash
# Pictures of the printout of the sample file for the README: bench_carte prints the chart
# (framed on the sample's POIs) and the list of the POIs to a PDF, and pdftoppm renders the
# chart page and the top of the list. Writes data/impression_carte.png and
# data/impression_liste.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer.sh tester
bash scripts/construire.sh --target bench_carte

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
QT_QPA_PLATFORM=offscreen ./build/bench/bench_carte "$travail" >/dev/null
pdftoppm -r 50 -f 1 -l 1 -png -singlefile "$travail/exemple.pdf" data/impression_carte
pdftoppm -r 70 -f 2 -l 2 -png -singlefile -x 0 -y 0 -W 580 -H 150 "$travail/exemple.pdf" \
  data/impression_liste
echo "data/impression_carte.png data/impression_liste.png"
