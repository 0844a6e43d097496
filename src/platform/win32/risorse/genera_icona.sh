#!/bin/sh
# Regenerates icona.ico from the drawings: icona_16.svg for 16 px,
# icona.svg for 32, 48 and 256 px. Needs rsvg-convert (apt-get install
# librsvg2-bin) and python3. The build does not run it: icona.ico is kept
# in the repository, so run this after changing a drawing and commit both.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rsvg-convert -w 16 -h 16 icona_16.svg -o "$tmp/16.png"
for lato in 32 48 256; do
  rsvg-convert -w "$lato" -h "$lato" icona.svg -o "$tmp/$lato.png"
done
python3 impacchetta_ico.py icona.ico "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png"
echo "icona.ico: $(wc -c <icona.ico) byte"
