#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for a bounded time.
#
#   fuzz/esegui.sh [seconds per target, default 60] [target ...]
#
# The corpus grows in build-fuzz/corpus/<target>; a failing input is left in
# build-fuzz/artefatti/<target>/ and ends the script with an error. Once
# fixed, put the input into fuzz/regressioni/<target>/ (fuzz/messaggi_lsp/ for
# the language server): ctest replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=${1:-60}
shift || true
bersagli=("$@")
((${#bersagli[@]})) || bersagli=(lettura_campi descrizione_linea descrizione_treno compilazione messaggi_lsp)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSCENARIO_FUZZ=ON -DSCENARIO_TESTS=OFF >/dev/null
cmake --build build-fuzz --target genera_semi "${bersagli[@]/#/fuzz_}"
rm -rf build-fuzz/semi
build-fuzz/fuzz/genera_semi build-fuzz/semi

esito=0
for b in "${bersagli[@]}"; do
  mkdir -p "build-fuzz/corpus/$b" "build-fuzz/artefatti/$b" "build-fuzz/semi/$b"
  semi=("build-fuzz/semi/$b")
  [[ -d "fuzz/regressioni/$b" ]] && semi+=("fuzz/regressioni/$b")
  [[ -d "fuzz/$b" ]] && semi+=("fuzz/$b")  # the language server's seeds and regressions
  echo "== fuzz_$b, ${secondi} s"
  # A route of 1 000 000 m takes some 32 MB of profile, several times over
  # under the sanitizers: the memory limit leaves room for that.
  if ! "build-fuzz/fuzz/fuzz_$b" -max_total_time="$secondi" -rss_limit_mb=2560 -timeout=30 \
      -dict=fuzz/parole.dict -print_final_stats=1 -artifact_prefix="build-fuzz/artefatti/$b/" \
      "build-fuzz/corpus/$b" "${semi[@]}"; then
    echo "fuzz_$b: failing input in build-fuzz/artefatti/$b/" >&2
    esito=1
  fi
done
exit $esito
