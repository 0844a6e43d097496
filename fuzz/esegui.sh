#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for a bounded time.
#
#   fuzz/esegui.sh [seconds per target, default 60] [target ...]
#
# Without a target named, every target fuzz/CMakeLists.txt declares (the
# build writes the list to build-fuzz/fuzz/bersagli.txt). From the
# environment:
#   ESECUZIONI=N  a target also stops after N executions
#   PARALLELI=N   N targets run at a time (default 1)
#
# The corpus grows in build-fuzz/corpus/<target>; each run's output is kept
# in build-fuzz/registro/<target>.log and its final figures are printed. A
# failing input is left in build-fuzz/artefatti/<target>/ and ends the script
# with an error. Once fixed, put the input into fuzz/regressioni/<target>/:
# ctest replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=${1:-60}
shift || true
paralleli=${PARALLELI:-1}
esecuzioni=${ESECUZIONI:-0}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSCENARIO_FUZZ=ON -DSCENARIO_TESTS=OFF >/dev/null
declare -A dizionario=()
while IFS=$'\t' read -r nome diz; do
  dizionario[$nome]=$diz
done <build-fuzz/fuzz/bersagli.txt
bersagli=("$@")
if ((${#bersagli[@]} == 0)); then
  mapfile -t bersagli < <(cut -f1 build-fuzz/fuzz/bersagli.txt)
fi
for b in "${bersagli[@]}"; do
  [[ -v dizionario[$b] ]] || { echo "bersaglio sconosciuto: $b" >&2; exit 2; }
done

cmake --build build-fuzz -j2 --target genera_semi "${bersagli[@]/#/fuzz_}"
rm -rf build-fuzz/semi
build-fuzz/fuzz/genera_semi build-fuzz/semi
mkdir -p build-fuzz/registro

# One target: its seeds, the inputs that once failed, the corpus so far.
esegui() {
  local b=$1
  mkdir -p "build-fuzz/corpus/$b" "build-fuzz/artefatti/$b" "build-fuzz/semi/$b"
  local semi=("build-fuzz/semi/$b")
  [[ -d "fuzz/regressioni/$b" ]] && semi+=("fuzz/regressioni/$b")
  local opzioni=(-max_total_time="$secondi" -runs="$((esecuzioni > 0 ? esecuzioni : -1))"
    -rss_limit_mb=2560 -timeout=30 -print_final_stats=1 -artifact_prefix="build-fuzz/artefatti/$b/")
  [[ -n "${dizionario[$b]}" ]] && opzioni+=(-dict="fuzz/${dizionario[$b]}")
  # A route of 1 000 000 m takes some 32 MB of profile, several times over
  # under the sanitizers: the memory limit leaves room for that.
  "build-fuzz/fuzz/fuzz_$b" "${opzioni[@]}" "build-fuzz/corpus/$b" "${semi[@]}" \
    >"build-fuzz/registro/$b.log" 2>&1
}

# What a run ended with: executions, speed, coverage, corpus.
riassunto() {
  local log="build-fuzz/registro/$1.log"
  local esec vel cop
  esec=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  vel=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cop=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9/]*[a-zA-Z]*' "$log" | tail -1 || true)
  echo "fuzz_$1: ${esec:-?} esecuzioni, ${vel:-?} al secondo, $cop"
}

esito=0
fatto() {
  local b=$1 stato=$2
  if ((stato != 0)); then
    tail -n 60 "build-fuzz/registro/$b.log" >&2
    echo "fuzz_$b: ingresso che fallisce in build-fuzz/artefatti/$b/" >&2
    esito=1
  fi
  riassunto "$b"
}

echo "== ${#bersagli[@]} bersagli, ${secondi} s ciascuno, ${paralleli} alla volta"
declare -A in_corso=()
for b in "${bersagli[@]}"; do
  while ((${#in_corso[@]} >= paralleli)); do
    stato=0
    wait -n -p finito "${!in_corso[@]}" || stato=$?
    fatto "${in_corso[$finito]}" "$stato"
    unset "in_corso[$finito]"
  done
  esegui "$b" &
  in_corso[$!]=$b
done
for pid in "${!in_corso[@]}"; do
  stato=0
  wait "$pid" || stato=$?
  fatto "${in_corso[$pid]}" "$stato"
done
exit $esito
