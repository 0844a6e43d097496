#!/usr/bin/env bash
# The Linux release packages as a user gets them: cpack makes the .tar.gz and
# the .deb from the build tree into a folder of the test's own; each must
# hold the tool and its three documents and nothing else, the .deb with its
# control fields, the tool at /usr/bin/scenario answering --version, and the
# guide its SARIF reports point at where they say.
#
#   pacchetti_linux.sh <cpack> <cartella build> <lavoro> <sorgenti> <versione>
set -uo pipefail

cpack=$1 build=$2 lavoro=$3 sorgenti=$4 versione=$5
errori=0
sbaglio() {
  echo "SBAGLIATO: $*"
  errori=1
}

rm -rf "$lavoro"
mkdir -p "$lavoro"
# -B: the packages and CPack's staging in the test's folder, not beside the
# ones `--target package` makes.
"$cpack" --config "$build/CPackConfig.cmake" -G "TGZ;DEB" -B "$lavoro" >"$lavoro/cpack.log" 2>&1 ||
  { cat "$lavoro/cpack.log"; echo "cpack fallito"; exit 1; }

deb="$lavoro/scenario_${versione}_amd64.deb"
tgz="$lavoro/scenario-${versione}-Linux.tar.gz"
for p in "$deb" "$tgz"; do
  [[ -f "$p" ]] || { ls "$lavoro"; echo "manca $(basename "$p")"; exit 1; }
  echo "$(basename "$p"): $(stat -c %s "$p") byte"
done

# What each package holds: files only, directories left out.
attesi="bin/scenario
share/doc/scenario/README.md
share/doc/scenario/formati.md
share/doc/scenario/guida_autori.md"
contenuto_deb=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's#^\./usr/##' | sort)
[[ "$contenuto_deb" == "$attesi" ]] ||
  { diff -u --label atteso <(echo "$attesi") --label deb <(echo "$contenuto_deb"); sbaglio "file del .deb"; }
# Installed as root's, the program executable by all.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ && $2 != "root/root" { exit 1 }' || sbaglio "file del .deb non di root"
[[ $(dpkg-deb -c "$deb" | awk '$6 == "./usr/bin/scenario" { print $1 }') == -rwxr-xr-x ]] ||
  sbaglio "permessi di usr/bin/scenario"
contenuto_tgz=$(tar -tzf "$tgz" | grep -v '/$' | sed "s#^scenario-${versione}-Linux/##" | sort)
[[ "$contenuto_tgz" == "$attesi" ]] ||
  { diff -u --label atteso <(echo "$attesi") --label tar.gz <(echo "$contenuto_tgz"); sbaglio "file del .tar.gz"; }

# The control fields a package manager reads.
campo() { dpkg-deb -f "$deb" "$1"; }
[[ $(campo Package) == scenario ]] || sbaglio "Package: $(campo Package)"
[[ $(campo Version) == "$versione" ]] || sbaglio "Version: $(campo Version)"
[[ $(campo Architecture) == amd64 ]] || sbaglio "Architecture: $(campo Architecture)"
[[ $(campo Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || sbaglio "Maintainer: $(campo Maintainer)"
# Each dependency's package name, without its version.
dipendenze=" $(campo Depends | sed -e 's/ *([^)]*)//g' -e 's/,/ /g') "
for libreria in libc6 libstdc++6; do
  [[ "$dipendenze" == *" $libreria "* ]] || sbaglio "Depends senza $libreria: $(campo Depends)"
done
[[ $(campo Description | wc -l) -ge 2 ]] || sbaglio "Description senza testo lungo"
echo "Depends: $(campo Depends)"

# The package's own files, unpacked as dpkg would.
x="$lavoro/estratto"
dpkg-deb -x "$deb" "$x" || { echo "dpkg-deb -x fallito"; exit 1; }
uscita=$("$x/usr/bin/scenario" --version) || sbaglio "scenario --version: uscita $?"
echo "$uscita"
[[ "$uscita" =~ ^scenario\ ${versione//./\\.}( \(commit [0-9a-f]+\))?$ ]] || sbaglio "--version: $uscita"
if command -v readelf >/dev/null && readelf -S "$x/usr/bin/scenario" | grep -q '\.debug_info'; then
  sbaglio "usr/bin/scenario con le sezioni di debug"
fi
for f in README.md docs/formati.md docs/guida_autori.md; do
  cmp -s "$sorgenti/$f" "$x/usr/share/doc/scenario/$(basename "$f")" || sbaglio "$f diverso nel pacchetto"
done
# The guide the tool's SARIF names is a file of the package.
indirizzo=$("$x/usr/bin/scenario" check "$sorgenti/payload" --formato sarif |
  grep -o '"informationUri": *"[^"]*"' | head -n 1 | sed 's/.*"\([^"]*\)"$/\1/')
echo "informationUri: $indirizzo"
case $indirizzo in
  file:///*) [[ -f "$x${indirizzo#file://}" ]] || sbaglio "$indirizzo non e' nel pacchetto" ;;
  *) sbaglio "informationUri: $indirizzo" ;;
esac
exit $errori
