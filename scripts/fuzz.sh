#!/usr/bin/env bash
# Fuzz targets of the model (libFuzzer, clang), in build-fuzz/; not part of the tests.
#   bash scripts/fuzz.sh build                  installs what is missing, builds every target
#   bash scripts/fuzz.sh run TARGET [SECONDS]    runs one (default 60 s), corpus in build-fuzz/
# Targets: fuzz_reperage fuzz_aller_retour fuzz_saisies
set -euo pipefail
cd "$(dirname "$0")/.."

construire() {
  bash scripts/installer.sh fuzz
  cmake -S . -B build-fuzz -DQUILLVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz --parallel 2
}

lancer() {
  cible=$1
  secondes=${2:-60}
  [ -x "build-fuzz/fuzz/$cible" ] || construire
  # Seeds: a few made-up inputs of each target, and the test files for the GPX ones.
  graines=("fuzz/graines/$cible")
  dictionnaire=()
  case $cible in
    fuzz_reperage | fuzz_aller_retour)
      graines+=(tests/reference)
      dictionnaire=(-dict=fuzz/gpx.dict)
      ;;
  esac
  mkdir -p "build-fuzz/corpus/$cible" build-fuzz/fautes
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    nice -n 10 "build-fuzz/fuzz/$cible" -max_total_time="$secondes" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="build-fuzz/fautes/$cible-" "${dictionnaire[@]}" \
    "build-fuzz/corpus/$cible" "${graines[@]}"
}

case ${1:-} in
  build) construire ;;
  run) lancer "${2:?target}" "${3:-60}" ;;
  *)
    echo "usage: bash scripts/fuzz.sh build | run TARGET [SECONDS]" >&2
    exit 2
    ;;
esac
