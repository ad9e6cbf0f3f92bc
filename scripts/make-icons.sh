#!/usr/bin/env bash
# Renders the program's icon, data/icons/drav.svg, to the PNG sizes that are committed beside
# it (the desktop program and the package use those). Run it after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert > /dev/null || {
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
}
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" data/icons/drav.svg -o "data/icons/drav-$size.png"
done
# The Windows icon (drav.exe, drav-cli.exe, the installer), from the same PNGs.
if command -v convert > /dev/null; then
  convert data/icons/drav-{16,32,48,64,128,256}.png data/windows/drav.ico
fi
