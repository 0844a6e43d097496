#!/usr/bin/env bash
# Whole-process figures of the installer and of the authors' tool against
# copying their own output, as paired runs (bench/coppie.py): each run of the
# program is paired with cp of the files it leaves followed by sync of the
# files it flushes (the three binary files and their directory), so both
# sides pay for durability alike. Medians over the pairs, for the embedded
# scenario and for the generated 1 000 000 m route, replacing an earlier
# output ("sopra") and into an emptied directory ("vuota"); the peak
# resident memory of the program's runs. Then, where MinGW-w64, wine and
# xvfb-run are installed, the Windows build's run under wine; and the
# Google Benchmark figures of the compile and of the check.
#
#   bench/confronto.sh [pairs, default 21] [--strace] [--base REV]
#
# --strace adds each side's system call summary (strace -c -w). --base REV
# measures the same Linux figures of commit REV too, in the same run (its
# sources exported into build-bench-base/src, built beside them), each line
# of REV just before the same line of this tree. Builds
# build-bench (installer, tool, benchmarks), build-bench-lungo (an installer
# carrying the generated route) and, for wine, build-bench-windows and
# build-bench-windows-lungo.
set -euo pipefail
cd "$(dirname "$0")/.."
prove=21
strace_=()
base=
while (($#)); do
  case "$1" in
    --strace) strace_=(--strace) ;;
    --base) base=$2 && shift ;;
    *) prove=$1 ;;
  esac
  shift
done

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BENCH=ON -DSCENARIO_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target installatore strumento_scenario genera_percorso compilazione_bench verifica_bench | tail -1
build-bench/bench/genera_percorso build-bench/payload_lungo
lungo=(-DSCENARIO_PAYLOAD_DIR="$PWD/build-bench/payload_lungo" -DSCENARIO_ROUTE=Percorso_Lungo -DSCENARIO_TRAIN=1)
cmake -S . -B build-bench-lungo -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_TESTS=OFF "${lungo[@]}" >/dev/null
cmake --build build-bench-lungo -j2 --target installatore | tail -1

# The same programs of commit $base, built from its own sources.
if [[ -n $base ]]; then
  rm -rf build-bench-base/src
  mkdir -p build-bench-base/src
  git archive "$base" | tar -x -C build-bench-base/src
  cmake -S build-bench-base/src -B build-bench-base/corto -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_TESTS=OFF >/dev/null
  cmake --build build-bench-base/corto -j2 --target installatore strumento_scenario | tail -1
  cmake -S build-bench-base/src -B build-bench-base/lungo -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_TESTS=OFF \
    "${lungo[@]}" >/dev/null
  cmake --build build-bench-base/lungo -j2 --target installatore | tail -1
fi

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

# Output files of an installer for route R and train T.
binari() { echo "$1_linea.dat" "$1_$2.sim" "$1_$2.dat"; }
testi() { echo "$1_$2_note.txt" "$1_$2_rallentamenti.txt" "$1_$2_scheda_treno.txt"; }

installatore() {
  local nome=$1 eseguibile=$2 r=$3 t=$4
  local dir="$lavoro/$nome"
  mkdir -p "$dir"
  cp "$eseguibile" "$dir/"
  # shellcheck disable=SC2046
  bench/coppie.py "$nome" --prove "$prove" --obiettivo "$5" --cartella "$dir" \
    --binari $(binari "$r" "$t") --altri $(testi "$r" "$t") "${strace_[@]}" -- "$dir/$(basename "$eseguibile")"
}

echo "== machine load: $(uptime)"
echo "== installer: run against cp + sync of its output (median of $prove pairs)"
if [[ -n $base ]]; then
  installatore base_incorp build-bench-base/corto/Belmora_Solvenzia_4816-4817 Belmora_Solvenzia 4816-4817 1.3
fi
installatore incorporato build-bench/Belmora_Solvenzia_4816-4817 Belmora_Solvenzia 4816-4817 1.3
if [[ -n $base ]]; then
  installatore base_lungo build-bench-base/lungo/Percorso_Lungo_1 Percorso_Lungo 1 1.5
fi
installatore lungo build-bench-lungo/Percorso_Lungo_1 Percorso_Lungo 1 1.5

echo "== tool: scenario compile of the 1 000 000 m route against cp + sync of its output"
ingresso="$lavoro/testi" uscita="$lavoro/strumento"
mkdir -p "$ingresso" "$uscita"
cp build-bench/payload_lungo/linea.txt "$ingresso/Percorso_Lungo_linea.txt"
cp build-bench/payload_lungo/treno.txt "$ingresso/Percorso_Lungo_1-.txt"
compila() {
  # shellcheck disable=SC2046
  bench/coppie.py "$1" --prove "$prove" --obiettivo 1.5 --cartella "$uscita" --binari $(binari Percorso_Lungo 1) \
    "${strace_[@]}" -- "$2" compile --route Percorso_Lungo --train 1 --in "$ingresso" --out "$uscita"
}
[[ -z $base ]] || compila base_compile "$PWD/build-bench-base/corto/scenario"
compila compile "$PWD/build-bench/scenario"

if command -v x86_64-w64-mingw32-g++ >/dev/null && command -v wine >/dev/null && command -v xvfb-run >/dev/null; then
  echo "== Windows build under wine (median of $prove runs, wine's own start included)"
  finestre=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release -DSCENARIO_TESTS=OFF)
  cmake -S . -B build-bench-windows -G Ninja "${finestre[@]}" -DSCENARIO_PROVE_WIN32=ON >/dev/null
  cmake --build build-bench-windows -j2 --target installatore prova_form1 | tail -1
  cmake -S . -B build-bench-windows-lungo -G Ninja "${finestre[@]}" "${lungo[@]}" >/dev/null
  cmake --build build-bench-windows-lungo -j2 --target installatore | tail -1
  for nome in incorporato lungo; do
    exe=build-bench-windows/Belmora_Solvenzia_4816-4817.exe
    [[ $nome == lungo ]] && exe=build-bench-windows-lungo/Percorso_Lungo_1.exe
    mkdir -p "$lavoro/wine_$nome"
    cp "$exe" "$lavoro/wine_$nome/"
  done
  xvfb-run -a -s "-screen 0 1024x768x24" bench/wine_tempi.sh "$prove" "$lavoro" \
    build-bench-windows/prove_win32/prova_form1.exe \
    "$lavoro/wine_incorporato/Belmora_Solvenzia_4816-4817.exe" "$lavoro/wine_lungo/Percorso_Lungo_1.exe"
fi

echo "== machine load: $(uptime)"
echo
echo "== compile and check (Google Benchmark)"
build-bench/bench/compilazione_bench --benchmark_min_time=1
echo
# The check of the longest route (scenario check): target under 50 ms.
build-bench/bench/verifica_bench --benchmark_min_time=1
