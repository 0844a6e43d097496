#!/usr/bin/env bash
# The Windows installers' run time under wine, on the X display the caller
# provides (bench/confronto.sh runs it under xvfb-run): the median of N runs
# of each, with the wine server kept running, beside the median of a program
# that only shows the installer's waiting window and ends (prova_form1.exe):
# that much of each run is wine starting a window program, not the
# installer's work.
#
#   bench/wine_tempi.sh N CARTELLA_DI_LAVORO PROVA_FORM1.exe INSTALLATORE.exe...
set -euo pipefail
prove=$1 lavoro=$2 finestra=$(realpath "$3")
shift 3

export WINEPREFIX="$lavoro/prefisso_wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p  # stays up between the runs

# Median, in ms, of N timed runs of the command.
mediana_ms() {
  local tempi=() i t0 t1
  for ((i = 0; i < prove; i++)); do
    t0=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "$* ended with status $?" >&2; return 1; }
    t1=$EPOCHREALTIME
    tempi+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", (b - a) * 1000 }')")
  done
  printf '%s\n' "${tempi[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

wine "$finestra" >/dev/null 2>&1  # warms the server's caches
pavimento=$(mediana_ms wine "$finestra")
for exe in "$@"; do
  (cd "$(dirname "$exe")" && wine "$exe" >/dev/null 2>&1)  # the first run leaves the files
  t=$(cd "$(dirname "$exe")" && mediana_ms wine "$exe")
  awk -v n="$(basename "$exe")" -v t="$t" -v p="$pavimento" \
    'BEGIN { printf "%-34s wine run %8.2f ms   window only %8.2f ms   difference %8.2f ms\n", n, t, p, t - p }'
done
