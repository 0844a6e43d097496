#!/bin/sh
# Makes the extension's package for one platform, carrying the server:
#
#   impacchetta.sh SERVER TARGET [OUT]
#
# SERVER is the `scenario` program built for TARGET (build/scenario, or
# scenario.exe from the Windows build), TARGET a VS Code platform
# (linux-x64, win32-x64, ...), OUT the .vsix to write or a folder for it
# (default: this folder, named as vsce names it). The program is copied into
# server/ only while vsce runs; it never stays in the sources. Without
# node_modules it runs `npm ci` first. Nothing asks a question.
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "uso: $0 SERVER PIATTAFORMA [USCITA.vsix]" >&2
  exit 2
fi
server=$1
target=$2
out=${3-}
cartella=$(cd "$(dirname "$0")" && pwd)

case $target in
  win32-*) nome=scenario.exe; firma=4d5a; formato="un eseguibile Windows (PE)" ;;
  linux-* | alpine-* | darwin-*)
    nome=scenario
    case $target in
      darwin-*) firma= ; formato= ;;
      *) firma=7f454c46; formato="un eseguibile ELF" ;;
    esac ;;
  *) echo "$0: piattaforma sconosciuta: $target (per esempio linux-x64, win32-x64)" >&2; exit 2 ;;
esac
if [ ! -f "$server" ]; then
  echo "$0: il server non c'è: $server" >&2
  exit 1
fi
# A program of another platform would be packed without a word and fail
# only on the author's machine.
if [ -n "$firma" ]; then
  letta=$(head -c "$(( ${#firma} / 2 ))" "$server" | od -An -tx1 | tr -d ' \n')
  if [ "$letta" != "$firma" ]; then
    echo "$0: $server non è $formato, come serve per $target" >&2
    exit 1
  fi
fi
case $server in
  /*) ;;
  *) server=$(pwd)/$server ;;
esac
case $out in
  "" | /*) ;;
  *) out=$(pwd)/$out ;;
esac

cd "$cartella"
# One packaging at a time: they share server/.
exec 9<"$cartella/impacchetta.sh"
flock 9

if [ ! -x node_modules/.bin/vsce ]; then
  npm ci --no-audit --no-fund
fi

rm -rf server
trap 'rm -rf "$cartella/server"' EXIT
trap 'exit 1' HUP INT TERM
mkdir server
cp "$server" "server/$nome"
# The copy without its debugging sections, where this machine has the
# platform's strip; else as it is.
case $target in
  linux-x64) strip=strip ;;
  win32-x64) strip=x86_64-w64-mingw32-strip ;;
  *) strip= ;;
esac
if [ -n "$strip" ] && command -v "$strip" >/dev/null 2>&1; then
  "$strip" "server/$nome" 2>/dev/null || cp "$server" "server/$nome"
fi
chmod 755 "server/$nome"

# No repository: the project has no public address to name.
set -- package --target "$target" --allow-missing-repository
[ -n "$out" ] && set -- "$@" --out "$out"
node_modules/.bin/vsce "$@" </dev/null
