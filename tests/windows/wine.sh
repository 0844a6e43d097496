#!/usr/bin/env bash
# Runs the cross-built Windows programs under wine on a virtual X display, in
# one wine prefix the tests share: its first start (wineboot) is the slow
# part, so it is made once.
#
#   wine.sh prepara <prefisso>
#       makes a fresh wine prefix (the test fixture's set-up).
#   wine.sh esegui <prefisso> [--dpi N] <prova.exe> [argomento...]
#       runs a Win32 test program; its exit status is the test's. The
#       arguments that are absolute Unix paths reach it as Windows paths.
#       With --dpi the screen is at N DPI for this program only (LogPixels,
#       set back to 96 afterwards, since the prefix is shared).
#   wine.sh confronta <prefisso> <installatore linux> <installatore.exe> <esegui_e_chiudi.exe>
#       runs both installers, each alone in a temporary directory, and
#       compares exit status, messages shown and every file left behind.
#   wine.sh strumento <prefisso> <scenario linux> <scenario.exe> <cartella> <client_lsp.py>
#       copies the scenario folder into "Zoë/Val d'Orcia" and runs each
#       command of the authors' tool (the table in strumento()) on it with
#       both tools, each in its own directory, then the scripted language
#       client with both; compares exit status, stdout, stderr, every file
#       written and the server's messages byte for byte. Where a Windows
#       output joins a folder to a file name, the separator after the folder
#       is read as "/".
#   wine.sh rilascio <prefisso> <cmake> <build cross> <versione> <linea> <treno> <scenario linux> <payload> <esegui_e_chiudi.exe> con_vsix|senza_vsix
#       makes the release zip of the cross build (whose installer carries
#       the scenario <linea>_<treno>) with cpack, unpacks it into
#       a fresh folder and checks what it holds; then, with only a copy of
#       the payload folder beside them, runs the zip's scenario.exe (check,
#       compile) and its installer, and compares their output and the three
#       binary files with the Linux tool's.
#   wine.sh pulisci <prefisso>
#       removes the prefix (the fixture's clean-up).
#
# A prefix that is missing is made first, so each test also runs alone.
# Exit status 77 (skipped) when wine or xvfb-run is missing.
set -uo pipefail

if [[ "${1:-}" == pulisci ]]; then
  WINEPREFIX="$2" wineserver -k >/dev/null 2>&1
  rm -rf "$2"
  exit 0
fi

if [[ "${1:-}" != interno ]]; then
  for p in wine xvfb-run; do
    if ! command -v "$p" >/dev/null; then
      echo "SALTATO: $p non installato (apt-get install wine wine64 xvfb)"
      exit 77
    fi
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" interno "$@"
fi
shift
comando=${1:-}
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift 2

tmp=$(mktemp -d)
pulisci() {
  # The programs of this display end with it; the prefix stays.
  wineserver -k >/dev/null 2>&1
  rm -rf "$tmp"
}
trap pulisci EXIT

prepara() {
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || { echo "wineboot fallito"; exit 1; }
  wineserver -w
}
if [[ "$comando" == prepara ]]; then
  prepara
  exit 0
fi
# The first start of a prefix takes a while; done here so that it does not
# eat into the programs' own time.
[[ -f "$WINEPREFIX/system.reg" ]] || prepara

imposta_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    { echo "impostazione dei DPI fallita"; exit 1; }
  wineserver -w
}

esegui() {
  local dpi=""
  if [[ "${1:-}" == --dpi ]]; then
    dpi=$2
    shift 2
    imposta_dpi "$dpi"
  fi
  local programma=$1 a
  shift
  local argomenti=()
  for a in "$@"; do
    if [[ "$a" == /* ]]; then
      a=$(winepath -w "$a" 2>/dev/null) || { echo "winepath $a fallito"; exit 1; }
    fi
    argomenti+=("$a")
  done
  wine "$programma" "${argomenti[@]}"
  local rc=$?
  if [[ -n "$dpi" ]]; then
    wineserver -w
    imposta_dpi 96
  fi
  return $rc
}

confronta() {
  local linux=$1 exe=$2 esegui_e_chiudi=$3
  local dl="$tmp/linux" dw="$tmp/windows"
  mkdir -p "$dl" "$dw"
  cp "$linux" "$dl/" && cp "$exe" "$dw/" || exit 1
  local nl nw
  nl=$(basename "$linux")
  nw=$(basename "$exe")

  (cd "$dl" && "./$nl") 2>"$tmp/linux.msg"
  local rc_l=$?
  (cd "$dw" && wine "$esegui_e_chiudi" "$nw") >"$tmp/windows.msg"
  local rc_w=$?
  wineserver -w

  local errori=0
  echo "uscita: linux $rc_l, windows $rc_w"
  if [[ $rc_w -eq 124 || $rc_w -eq 125 ]]; then
    echo "il programma Windows non e' finito come dovrebbe"
    exit 1
  fi
  [[ $rc_l -eq $rc_w ]] || { echo "DIVERSO: stato d'uscita"; errori=1; }

  # On Linux the window is the line "Attendere" and the boxes the following lines.
  sed -i '1{/^Attendere$/d}' "$tmp/linux.msg"
  tr -d '\r' <"$tmp/windows.msg" >"$tmp/windows.msg.lf"
  if ! diff -u --label linux "$tmp/linux.msg" --label windows "$tmp/windows.msg.lf"; then
    echo "DIVERSO: messaggi mostrati"
    errori=1
  fi

  local fl fw
  fl=$(cd "$dl" && find . -type f ! -name "$nl" | sort)
  fw=$(cd "$dw" && find . -type f ! -name "$nw" | sort)
  if [[ "$fl" != "$fw" ]]; then
    diff -u --label linux <(echo "$fl") --label windows <(echo "$fw")
    echo "DIVERSO: file lasciati"
    errori=1
  fi
  local f quanti=0
  while read -r f; do
    [[ -n "$f" && -f "$dw/$f" ]] || continue
    quanti=$((quanti + 1))
    if cmp "$dl/$f" "$dw/$f"; then
      echo "uguale: $f ($(stat -c %s "$dl/$f") byte)"
    else
      echo "DIVERSO: $f"
      errori=1
    fi
  done <<<"$fl"
  echo "$quanti file confrontati"
  exit $errori
}

# The commit --version names is the build's, not the platform's (two trees
# built at different commits).
senza_commit() {
  sed -e 's/^\(scenario .*\) (commit [0-9a-f]*)$/\1/' "$1"
}

# The Windows separator after a folder of the tests, also as JSON writes it.
come_linux() {
  senza_commit "$1" | sed -e 's#\(Orcia\|uscita\|Città\)\\\{1,2\}#\1/#g'
}

strumento() {
  local linux=$1 exe=$2 scenario=$3 client=$4
  local cartella="Zoë/Val d'Orcia"
  # Names outside ASCII reach wine as UTF-8 whatever the test's locale.
  export LC_ALL=C.UTF-8
  # One wine server for every start, rather than one each.
  wineserver -p
  # The same texts under the installed names, in Windows-1252, of a route
  # whose name is outside ASCII too.
  local installati="Zoë/Città" lato
  for lato in linux windows; do
    mkdir -p "$tmp/$lato/$cartella/uscita" "$tmp/$lato/$installati" || exit 1
    cp "$scenario"/*.txt "$tmp/$lato/$cartella/" || exit 1
    iconv -f UTF-8 -t CP1252 "$scenario/linea.txt" >"$tmp/$lato/$installati/Città_linea.txt" &&
      iconv -f UTF-8 -t CP1252 "$scenario/treno.txt" >"$tmp/$lato/$installati/Città_1-.txt" || exit 1
  done
  # Each case: its name, then the tool's arguments; @ is the payload
  # folder, % the one with the installed names.
  local casi=(
    "versione --version"
    "check_testo check @"
    "check_gcc check @ --formato gcc"
    "check_json check @ --formato json"
    "check_sarif check @ --formato sarif"
    "check_mancante check @/manca --formato json"
    "compile compile --in @ --out @/uscita"
    "compile_json compile --in @ --json --no-profile"
    "dump_sim dump @/uscita/R_T.sim"
    "dump_dat dump @/uscita/R_T.dat --json"
    "dump_profilo dump @/uscita/R_linea.dat"
    "plan plan --route R --train T --in @ -o @/uscita/pianta.svg"
    "profilo profilo --route R --train T --in @ -o @/uscita/profilo.svg"
    "report report --route R --train T --in @ -o @/uscita/rapporto.html"
    "check_installati check % --formato json"
    "compile_installati compile --in % --route Città"
    "plan_installati plan --route Città --train 1 --in % -o %/pianta.svg"
  )
  local errori=0 caso nome parole argomenti p rc_l rc_w
  for caso in "${casi[@]}"; do
    read -r -a parole <<<"$caso"
    nome=${parole[0]}
    argomenti=()
    for p in "${parole[@]:1}"; do
      p=${p/@/$cartella}
      argomenti+=("${p/\%/$installati}")
    done
    (cd "$tmp/linux" && "$linux" "${argomenti[@]}") >"$tmp/$nome.linux.out" 2>"$tmp/$nome.linux.err"
    rc_l=$?
    (cd "$tmp/windows" && wine "$exe" "${argomenti[@]}") >"$tmp/$nome.windows.out" 2>"$tmp/$nome.windows.err"
    rc_w=$?
    if [[ $rc_l -ne $rc_w ]]; then
      echo "DIVERSO: $nome, uscita linux $rc_l, windows $rc_w"
      errori=1
    fi
    for p in out err; do
      if ! diff -u --label "$nome linux $p" <(senza_commit "$tmp/$nome.linux.$p") \
        --label "$nome windows $p" \
        <(come_linux "$tmp/$nome.windows.$p"); then
        echo "DIVERSO: $nome, $p"
        errori=1
      fi
    done
    echo "$nome: uscita $rc_l, $(stat -c %s "$tmp/$nome.linux.out") byte su stdout"
  done

  local f
  while read -r f; do
    if [[ ! -f "$tmp/windows/$f" ]]; then
      echo "DIVERSO: $f manca su Windows"
      errori=1
    elif cmp -s "$tmp/linux/$f" "$tmp/windows/$f" || cmp -s "$tmp/linux/$f" <(come_linux "$tmp/windows/$f"); then
      echo "uguale: $f ($(stat -c %s "$tmp/linux/$f") byte)"
    else
      echo "DIVERSO: $f"
      errori=1
    fi
  done < <(cd "$tmp/linux" && find . -type f | sort)
  [[ $(cd "$tmp/linux" && find . -type f | sort) == $(cd "$tmp/windows" && find . -type f | sort) ]] ||
    { echo "DIVERSO: file lasciati"; errori=1; }

  # The language server, driven by the same client on both sides.
  python3 "$client" --cartella "$cartella" --trascrizione "$tmp/lsp.linux" "$linux" "$scenario" || errori=1
  python3 "$client" --wine --cartella "$cartella" --trascrizione "$tmp/lsp.windows" "$exe" "$scenario" || errori=1
  if ! diff -u --label "lsp linux" "$tmp/lsp.linux" --label "lsp windows" "$tmp/lsp.windows"; then
    echo "DIVERSO: messaggi del server"
    errori=1
  else
    echo "lsp: $(wc -l <"$tmp/lsp.linux") messaggi uguali"
  fi
  exit $errori
}

rilascio() {
  local cmake=$1 cross=$2 versione=$3 linea=$4 treno=$5 linux=$6 payload=$7 esegui_e_chiudi=$8 vsix=$9
  local installatore="${linea}_$treno.exe"
  local cartella="scenario-$versione-win64"
  local zip="$tmp/pacchetti/$cartella.zip"
  export LC_ALL=C.UTF-8
  # Into a folder of the test's own, not beside what --target package makes.
  "$(dirname "$cmake")/cpack" --config "$cross/CPackConfig.cmake" -B "$tmp/pacchetti" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; echo "cpack fallito"; exit 1; }
  [[ -f "$zip" ]] || { ls "$tmp/pacchetti"; echo "manca $cartella.zip"; exit 1; }
  echo "$cartella.zip: $(stat -c %s "$zip") byte"

  local errori=0 scaricato="$tmp/scaricato"
  mkdir -p "$scaricato"
  (cd "$scaricato" && "$cmake" -E tar xf "$zip") || { echo "zip illeggibile"; exit 1; }
  local attesi="$cartella/$installatore
$cartella/formati.md
$cartella/guida_autori.md
$cartella/scenario.exe"
  [[ $vsix == con_vsix ]] && attesi+=$'\n'"$cartella/scenario-descrizioni-win32-x64.vsix"
  local trovati
  trovati=$(cd "$scaricato" && find . -type f | sed 's#^\./##' | LC_ALL=C sort)
  if [[ "$trovati" != "$(LC_ALL=C sort <<<"$attesi")" ]]; then
    diff -u --label atteso <(LC_ALL=C sort <<<"$attesi") --label zip <(echo "$trovati")
    echo "DIVERSO: file dello zip"
    errori=1
  fi
  local bin="$scaricato/$cartella"
  # The extension for Windows carries a Windows server.
  if [[ $vsix == con_vsix ]]; then
    mkdir -p "$tmp/vsix"
    (cd "$tmp/vsix" && "$cmake" -E tar xf "$bin/scenario-descrizioni-win32-x64.vsix") || { echo "vsix illeggibile"; errori=1; }
    [[ $(head -c 2 "$tmp/vsix/extension/server/scenario.exe" 2>/dev/null) == MZ ]] ||
      { echo "DIVERSO: il vsix non porta server/scenario.exe"; errori=1; }
    grep -q 'TargetPlatform="win32-x64"' "$tmp/vsix/extension.vsixmanifest" ||
      { echo "DIVERSO: il vsix non e' per win32-x64"; errori=1; }
  fi

  # An author's folder: a copy of the payload and nothing else of the project.
  local autore="$tmp/autore" altro="$tmp/linux"
  mkdir -p "$autore/uscita" "$altro/uscita" "$tmp/installato"
  cp -r "$payload" "$autore/payload" && cp -r "$payload" "$altro/payload" || exit 1
  cp "$bin/$installatore" "$tmp/installato/" || exit 1
  wineserver -p
  local rc
  (cd "$autore" && wine "$bin/scenario.exe" check payload) >"$tmp/check.windows" 2>&1
  rc=$?
  (cd "$altro" && "$linux" check payload) >"$tmp/check.linux" 2>&1
  echo "check: uscita $rc (linux $?)"
  [[ $rc -eq 0 ]] || { cat "$tmp/check.windows"; echo "DIVERSO: check non riuscito"; errori=1; }
  if ! diff -u --label "check linux" "$tmp/check.linux" --label "check windows" \
    <(sed -e 's#payload\\#payload/#g' "$tmp/check.windows"); then
    echo "DIVERSO: rapporto di check"
    errori=1
  fi
  local nomi=(--route "$linea" --train "$treno")
  (cd "$autore" && wine "$bin/scenario.exe" compile --in payload --out uscita "${nomi[@]}") >"$tmp/compile.windows" 2>&1
  rc=$?
  echo "compile: uscita $rc"
  [[ $rc -eq 0 ]] || { cat "$tmp/compile.windows"; echo "DIVERSO: compile non riuscito"; errori=1; }
  (cd "$altro" && "$linux" compile --in payload --out uscita "${nomi[@]}") >/dev/null 2>&1 ||
    { echo "compile linux fallito"; errori=1; }
  # The installer from the zip, alone in its folder, as an author runs it.
  (cd "$tmp/installato" && wine "$esegui_e_chiudi" "$installatore") >"$tmp/installatore.msg"
  rc=$?
  echo "installatore: uscita $rc"
  [[ $rc -eq 0 ]] || { cat "$tmp/installatore.msg"; echo "DIVERSO: installatore non riuscito"; errori=1; }
  local f
  for f in "${linea}_linea.dat" "${linea}_$treno.sim" "${linea}_$treno.dat"; do
    if [[ ! -s "$altro/uscita/$f" ]]; then
      echo "DIVERSO: $f manca dal compile linux"
      errori=1
    elif ! cmp -s "$altro/uscita/$f" "$autore/uscita/$f"; then
      echo "DIVERSO: $f di scenario.exe compile"
      errori=1
    elif ! cmp -s "$altro/uscita/$f" "$tmp/installato/$f"; then
      echo "DIVERSO: $f dell'installatore"
      errori=1
    else
      echo "uguale: $f ($(stat -c %s "$altro/uscita/$f") byte)"
    fi
  done
  exit $errori
}

case "$comando" in
  esegui) esegui "$@" ;;
  confronta) confronta "$1" "$2" "$3" ;;
  strumento) strumento "$1" "$2" "$3" "$4" ;;
  rilascio) rilascio "$@" ;;
  *) echo "uso: wine.sh prepara|pulisci <prefisso> | esegui <prefisso> [--dpi N] <prova.exe> [argomento...] | confronta <prefisso> <linux> <exe> <esegui_e_chiudi.exe> | strumento <prefisso> <scenario> <scenario.exe> <cartella> <client_lsp.py> | rilascio <prefisso> <cmake> <cross> <versione> <linea> <treno> <scenario> <payload> <esegui_e_chiudi.exe> con_vsix|senza_vsix"; exit 2 ;;
esac
