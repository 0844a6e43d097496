#!/usr/bin/env bash
# What the test suite and the fuzz corpora reach: builds build-copertura
# with clang's source-based coverage, runs the GoogleTest binary, and
# replays every fuzz target on its seeds, its regressions, the corpus kept in
# fuzz/corpus/<target> and what the last run of fuzz/esegui.sh added in
# build-fuzz/corpus/<target>. Then
# prints two tables of lines and branches per file: the fuzz corpora alone,
# and the corpora with the tests.
#
#   fuzz/copertura.sh [file ...]   (default: src/compiler/*.cpp and the
#                                   tool's binary readers, consistency
#                                   check, dump and plan)
#
# The programs the tests start write a profile each; those the tests kill
# leave it cut short, and llvm-profdata refuses a merge with one such file
# in it. Each profile is checked alone first: the unreadable ones are left
# out, and their count printed.
#
# From the environment: JOBS=N  build jobs (default 2).
#
# Needs clang and llvm (llvm-profdata, llvm-cov). The line-by-line view of a
# file afterwards:
#   llvm-cov show -instr-profile=build-copertura/tutto.profdata \
#     build-copertura/tests/test_scenario -sources src/compiler/regole.cpp
set -euo pipefail
cd "$(dirname "$0")/.."

file=("$@")
if ((${#file[@]} == 0)); then
  file=(src/compiler/*.cpp tools/scenario/binari/file_binari.cpp tools/scenario/binari/coerenza.cpp
    tools/scenario/binari/dump.cpp tools/scenario/disegni/scenario_vista.cpp tools/scenario/disegni/pianta.cpp)
fi

opzioni="-fprofile-instr-generate -fcoverage-mapping"
CC=clang CXX=clang++ cmake -S . -B build-copertura -G Ninja -DSCENARIO_TESTS=ON \
  -DCMAKE_C_FLAGS="$opzioni" -DCMAKE_CXX_FLAGS="$opzioni" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
mapfile -t bersagli < <(cut -f1 build-copertura/fuzz/bersagli.txt)
cmake --build build-copertura -j"${JOBS:-2}" --target test_scenario genera_semi "${bersagli[@]/#/ripeti_}"

profili=build-copertura/profili
rm -rf "$profili" build-copertura/semi
mkdir -p "$profili/fuzz" "$profili/prove"
# Its own profile stays apart, out of the tables and of the source tree.
LLVM_PROFILE_FILE="$profili/genera_semi.profraw" build-copertura/fuzz/genera_semi build-copertura/semi

for b in "${bersagli[@]}"; do
  ingressi=()
  for d in "build-copertura/semi/$b" "fuzz/regressioni/$b" "fuzz/corpus/$b" "build-fuzz/corpus/$b"; do
    [[ -d "$d" ]] && ingressi+=("$d")
  done
  echo "== ripeti_$b: ${ingressi[*]}"
  LLVM_PROFILE_FILE="$profili/fuzz/$b-%p.profraw" "build-copertura/fuzz/ripeti_$b" "${ingressi[@]}" | tail -1
done
echo "== test_scenario"
# The programs the tests start write their own profiles (%p: one per process).
LLVM_PROFILE_FILE="$profili/prove/%p.profraw" build-copertura/tests/test_scenario --gtest_brief=1 || true

# A profile llvm-profdata cannot read alone moves to scartati/: the process
# was stopped while writing it.
mkdir -p "$profili/scartati"
scartati=0 letti=0
for f in "$profili"/fuzz/*.profraw "$profili"/prove/*.profraw; do
  if llvm-profdata show "$f" >/dev/null 2>&1; then
    letti=$((letti + 1))
  else
    mv "$f" "$profili/scartati/"
    scartati=$((scartati + 1))
  fi
done
echo "== profili: $letti letti, $scartati scartati perche' illeggibili (in $profili/scartati)"
# -failure-mode=all: a profile spoilt between the check and the merge is
# left out with a warning instead of ending the script.
unisci() { llvm-profdata merge -sparse -failure-mode=all "$@"; }
unisci "$profili"/fuzz/*.profraw -o build-copertura/fuzz.profdata
unisci "$profili"/fuzz/*.profraw "$profili"/prove/*.profraw -o build-copertura/tutto.profdata

oggetti=(build-copertura/tests/test_scenario build-copertura/Belmora_Solvenzia_4816-4817 build-copertura/scenario)
for b in "${bersagli[@]}"; do oggetti+=(-object "build-copertura/fuzz/ripeti_$b"); done
for dati in fuzz tutto; do
  echo
  [[ $dati == fuzz ]] && echo "== corpora fuzz" || echo "== corpora fuzz e test"
  # File, then lines (all, missed, covered) and branches (all, missed, covered).
  llvm-cov report -instr-profile="build-copertura/$dati.profdata" "${oggetti[0]}" \
    -object "${oggetti[1]}" -object "${oggetti[2]}" "${oggetti[@]:3}" "${file[@]}" 2>/dev/null |
    awk 'BEGIN { print "file righe mancate coperte rami mancati coperti" } NF == 13 && $1 != "Filename" {
      print $1, $8, $9, $10, $11, $12, $13 }' | column -t
done
