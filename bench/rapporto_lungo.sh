#!/usr/bin/env bash
# How long the report of the longest route (1 000 000 m) takes: written by
# scenario report from its payload folder (compiled in memory) and from its
# installed binary files alone, then opened in headless chromium until the
# page's script is done (the page measures itself).
#
#   bench/rapporto_lungo.sh [runs, default 5]
#
# Builds build-bench (see confronto.sh). Times are medians; targets: the
# report under 1 s, the page ready under 2 s.
set -euo pipefail
cd "$(dirname "$0")/.."
prove=${1:-5}

cmake -S . -B build-bench -G Ninja -DSCENARIO_BENCH=ON -DSCENARIO_TESTS=OFF >/dev/null
cmake --build build-bench --target strumento_scenario genera_percorso | tail -1
strumento=build-bench/scenario

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
build-bench/bench/genera_percorso "$lavoro/payload"
mkdir "$lavoro/binari"
# The installed binary files, as the installer's compile leaves them.
iconv -f utf-8 -t cp1252 "$lavoro/payload/linea.txt" | sed 's/$/\r/' >"$lavoro/binari/Percorso_Lungo_linea.txt"
iconv -f utf-8 -t cp1252 "$lavoro/payload/treno.txt" | sed 's/$/\r/' >"$lavoro/binari/Percorso_Lungo_1-.txt"
"$strumento" compile --route Percorso_Lungo --train 1 --in "$lavoro/binari" >/dev/null
rm "$lavoro/binari"/*.txt

mediana() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
adesso() { date +%s%N; }

rapporto() {
  local nome=$1 cartella=$2 tempi=()
  for ((i = 0; i < prove; i++)); do
    local t0; t0=$(adesso)
    "$strumento" report --route Percorso_Lungo --train 1 --in "$cartella" -o "$lavoro/$nome.html" >/dev/null
    tempi+=($(( $(adesso) - t0 )))
  done
  local ms; ms=$(printf '%s\n' "${tempi[@]}" | mediana)
  awk -v n="$nome" -v t="$ms" -v b="$(wc -c <"$lavoro/$nome.html")" \
    'BEGIN { printf "report %-8s %7.1f ms (target 1000)   page %8d B\n", n, t / 1e6, b }'
}

rapporto testi "$lavoro/payload"
rapporto binari "$lavoro/binari"

chromium=$(command -v chromium || command -v chromium-browser || true)
if [[ -z "$chromium" ]]; then
  echo "chromium mancante: pagina non aperta"
  exit 0
fi
apri() {
  rm -rf "$lavoro/profilo" && mkdir "$lavoro/profilo"
  "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$lavoro/profilo" --window-size=1400,1000 \
    --dump-dom "$1" 2>/dev/null
}
pronto=() script=() intero=()
for ((i = 0; i < prove; i++)); do
  t0=$(adesso)
  corpo=$(apri "file://$lavoro/testi.html" | grep -o '<body[^>]*>')
  intero+=($(( $(adesso) - t0 )))
  pronto+=("$(sed -n 's/.*data-ms-pronto="\([0-9]*\)".*/\1/p' <<<"$corpo")")
  script+=("$(sed -n 's/.*data-ms-script="\([0-9]*\)".*/\1/p' <<<"$corpo")")
done
t0=$(adesso); apri "about:blank" >/dev/null; vuota=$(( $(adesso) - t0 ))
awk -v p="$(printf '%s\n' "${pronto[@]}" | mediana)" -v s="$(printf '%s\n' "${script[@]}" | mediana)" \
  -v c="$(printf '%s\n' "${intero[@]}" | mediana)" -v v="$vuota" 'BEGIN {
  printf "page ready %7.1f ms (target 2000), of which its script %6.1f ms\n", p, s
  printf "chromium started, page loaded and dumped %7.1f ms (an empty page: %7.1f ms)\n", c / 1e6, v / 1e6 }'
