#!/usr/bin/env bash
# Whole-process figures of the installer: the time of one run against copying
# its own output files with cp, and its peak memory against the size of those
# files, for the embedded scenario and for the longest route. The installer
# puts its three binary files and their directory on the device before it
# ends, so the copy is followed by the same flush (sync of those files and of
# the directory): both sides pay for durability alike.
#
#   bench/confronto.sh [runs, default 7]
#
# Builds build-bench (with the benchmarks) and build-bench-lungo (an
# installer carrying the generated longest route). Times are medians.
set -euo pipefail
cd "$(dirname "$0")/.."
prove=${1:-7}

cmake -S . -B build-bench -G Ninja -DSCENARIO_BENCH=ON -DSCENARIO_TESTS=OFF >/dev/null
cmake --build build-bench --target installatore genera_percorso compilazione_bench verifica_bench | tail -1
build-bench/bench/genera_percorso build-bench/payload_lungo
cmake -S . -B build-bench-lungo -G Ninja -DSCENARIO_TESTS=OFF \
  -DSCENARIO_PAYLOAD_DIR="$PWD/build-bench/payload_lungo" -DSCENARIO_ROUTE=Percorso_Lungo -DSCENARIO_TRAIN=1 >/dev/null
cmake --build build-bench-lungo --target installatore | tail -1

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

# Median of the numbers on stdin.
mediana() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
adesso() { date +%s%N; }

misura() {
  local nome=$1 eseguibile=$2
  local dir="$lavoro/$nome" copia="$lavoro/$nome.copia"
  mkdir -p "$dir" "$copia"
  cp "$eseguibile" "$dir/"
  local programma="$dir/$(basename "$eseguibile")"
  # The first run leaves the files; the others replace them.
  local esito=0
  "$programma" >/dev/null 2>&1 || esito=$?
  ((esito == 0)) || echo "$nome: the installer ended with status $esito" >&2

  local tempi_run=() tempi_cp=()
  for ((i = 0; i < prove; i++)); do
    local t0; t0=$(adesso); "$programma" >/dev/null 2>&1 || true; tempi_run+=($(( $(adesso) - t0 )))
  done
  local uscita=() binari=()
  for f in "$dir"/*; do [[ "$f" != "$programma" ]] && uscita+=("$f"); done
  for f in "${uscita[@]}"; do [[ "$f" == *.dat || "$f" == *.sim ]] && binari+=("$copia/$(basename "$f")"); done
  for ((i = 0; i < prove; i++)); do
    rm -f "$copia"/*
    local t0; t0=$(adesso); cp "${uscita[@]}" "$copia/"; sync "${binari[@]}" "$copia"; tempi_cp+=($(( $(adesso) - t0 )))
  done
  local byte; byte=$(cat "${uscita[@]}" | wc -c)
  /usr/bin/time -v -o "$lavoro/tempo" "$programma" >/dev/null 2>&1 || true
  local picco; picco=$(awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}' "$lavoro/tempo")
  local run cp_
  run=$(printf '%s\n' "${tempi_run[@]}" | mediana)
  cp_=$(printf '%s\n' "${tempi_cp[@]}" | mediana)
  awk -v n="$nome" -v r="$run" -v c="$cp_" -v b="$byte" -v p="$picco" 'BEGIN {
    printf "%-12s run %8.2f ms   cp+sync %8.2f ms   ratio %5.2f (target 1.5)   output %9d B   peak %9d kB   ratio %5.2f (target 4)\n",
      n, r / 1e6, c / 1e6, r / c, b, p, p * 1024 / b }'
}

misura incorporato build-bench/Belmora_Solvenzia_4816-4817
misura lungo build-bench-lungo/Percorso_Lungo_1
echo
build-bench/bench/compilazione_bench --benchmark_min_time=1
echo
# The check of the longest route (scenario check): target under 50 ms.
build-bench/bench/verifica_bench --benchmark_min_time=1
