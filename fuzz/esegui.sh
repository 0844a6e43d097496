#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for a bounded time,
# starting from what every earlier run found and keeping what this one adds.
#
#   fuzz/esegui.sh [seconds per target, default 60] [target ...]
#
# Without a target named, every target fuzz/CMakeLists.txt declares (the
# build writes the list to build-fuzz/fuzz/bersagli.txt). From the
# environment:
#   ESECUZIONI=N  a target also stops after N executions
#   PARALLELI=N   N targets run at a time (default 1)
#   JOBS=N        build jobs (default 2)
#
# A run starts from the kept corpus fuzz/corpus/<target>, the seeds and the
# regressions; what it adds grows in build-fuzz/corpus/<target>. At its end
# the kept corpus and the new inputs are merged (libFuzzer -merge=1) into the
# smallest set that reaches the same coverage, each input cut to the target's
# length bound, and that set replaces fuzz/corpus/<target>; the run's
# executions are added to fuzz/esecuzioni.tsv. Commit both: the depth of the
# fuzzing adds up over the sessions.
#
# Each run's output is kept in build-fuzz/registro/<target>.log and its final
# figures are printed. A failing input is left in build-fuzz/artefatti/<target>/
# and ends the script with an error. Once fixed, put the input into
# fuzz/regressioni/<target>/: ctest replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=${1:-60}
shift || true
paralleli=${PARALLELI:-1}
esecuzioni=${ESECUZIONI:-0}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSCENARIO_FUZZ=ON -DSCENARIO_TESTS=OFF >/dev/null
declare -A dizionario=() lunghezza=()
# Split by hand: read would take two tabs around an empty field as one.
while IFS= read -r riga; do
  nome=${riga%%$'\t'*} resto=${riga#*$'\t'}
  dizionario[$nome]=${resto%%$'\t'*}
  lunghezza[$nome]=${resto#*$'\t'}
done <build-fuzz/fuzz/bersagli.txt
bersagli=("$@")
if ((${#bersagli[@]} == 0)); then
  mapfile -t bersagli < <(cut -f1 build-fuzz/fuzz/bersagli.txt)
fi
for b in "${bersagli[@]}"; do
  [[ -v dizionario[$b] ]] || { echo "bersaglio sconosciuto: $b" >&2; exit 2; }
done

cmake --build build-fuzz -j"${JOBS:-2}" --target genera_semi "${bersagli[@]/#/fuzz_}"
rm -rf build-fuzz/semi
build-fuzz/fuzz/genera_semi build-fuzz/semi
mkdir -p build-fuzz/registro

# One target: the corpus kept so far, its seeds, the inputs that once
# failed; then the kept corpus merged with what the run added.
esegui() {
  local b=$1
  # This run's new inputs only: what an earlier run left here is in the kept
  # corpus already, or was merged away.
  rm -rf "build-fuzz/corpus/$b"
  mkdir -p "build-fuzz/corpus/$b" "build-fuzz/artefatti/$b" "build-fuzz/semi/$b" "fuzz/corpus/$b"
  local semi=("fuzz/corpus/$b" "build-fuzz/semi/$b")
  [[ -d "fuzz/regressioni/$b" ]] && semi+=("fuzz/regressioni/$b")
  local comuni=(-rss_limit_mb=2560 -timeout=30)
  [[ -n "${lunghezza[$b]}" ]] && comuni+=(-max_len="${lunghezza[$b]}")
  local opzioni=("${comuni[@]}" -max_total_time="$secondi" -runs="$((esecuzioni > 0 ? esecuzioni : -1))"
    -print_final_stats=1 -artifact_prefix="build-fuzz/artefatti/$b/")
  [[ -n "${dizionario[$b]}" ]] && opzioni+=(-dict="fuzz/${dizionario[$b]}")
  # A route of 1 000 000 m takes some 32 MB of profile, several times over
  # under the sanitizers: the memory limit leaves room for that.
  local stato=0
  "build-fuzz/fuzz/fuzz_$b" "${opzioni[@]}" "build-fuzz/corpus/$b" "${semi[@]}" \
    >"build-fuzz/registro/$b.log" 2>&1 || stato=$?

  # The merge keeps, of the kept corpus and the new inputs, those that add
  # coverage to what the folder it writes to holds already: that folder
  # starts with the seeds and regressions, which every run has anyway, and
  # they leave it again after. A failed merge leaves the kept corpus as it was.
  local unito="build-fuzz/unito/$b" f
  rm -rf "$unito" && mkdir -p "$unito"
  for f in "${semi[@]:1}"; do cp -- "$f"/* "$unito/" 2>/dev/null || true; done
  if "build-fuzz/fuzz/fuzz_$b" "${comuni[@]}" -merge=1 "$unito" "fuzz/corpus/$b" "build-fuzz/corpus/$b" \
    >"build-fuzz/registro/$b.unione.log" 2>&1; then
    for f in "${semi[@]:1}"; do (cd "$f" && find . -maxdepth 1 -type f -printf '%f\0') | (cd "$unito" && xargs -0r rm -f --); done
    rm -rf "fuzz/corpus/$b" && mv "$unito" "fuzz/corpus/$b"
  else
    echo "fuzz_$b: unione non riuscita, corpus conservato invariato (build-fuzz/registro/$b.unione.log)" >&2
  fi
  return "$stato"
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

# The executions of every run, a line per target and run: the last line of
# a target holds its runs and executions in all.
tabella=fuzz/esecuzioni.tsv
[[ -s $tabella ]] || printf 'data\tbersaglio\tsecondi\tesecuzioni\tsessioni_in_tutto\tesecuzioni_in_tutto\tcorpus_file\tcorpus_byte\n' >"$tabella"
annota() {
  local b=$1 esec sessioni=0 totale=0
  esec=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/registro/$b.log" | tail -1)
  read -r sessioni totale < <(awk -F'\t' -v b="$b" '$2 == b { s = $5; t = $6 } END { print s + 0, t + 0 }' "$tabella")
  local file byte
  file=$(find "fuzz/corpus/$b" -type f | wc -l)
  byte=$(find "fuzz/corpus/$b" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date +%Y-%m-%d)" "$b" "$secondi" "${esec:-0}" \
    "$((sessioni + 1))" "$((totale + ${esec:-0}))" "$file" "$byte" >>"$tabella"
}

esito=0
fatto() {
  local b=$1 stato=$2
  if ((stato != 0)); then
    tail -n 60 "build-fuzz/registro/$b.log" >&2
    echo "fuzz_$b: ingresso che fallisce in build-fuzz/artefatti/$b/" >&2
    esito=1
  fi
  annota "$b"
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
echo "== esecuzioni in tutto ($tabella):"
awk -F'\t' 'NR > 1 { s[$2] = $5; t[$2] = $6; f[$2] = $7; y[$2] = $8 }
  END { for (b in s) printf "%s\t%d sessioni\t%d esecuzioni\tcorpus %d file, %d byte\n", b, s[b], t[b], f[b], y[b] }' \
  "$tabella" | sort | column -t -s $'\t'
exit $esito
