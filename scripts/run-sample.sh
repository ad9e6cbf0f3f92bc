#!/usr/bin/env bash
# Builds DRAV and opens the bundled sample tournament in the desktop program. Where there is
# no display, it writes the sample's QuickPrint team standings to the terminal and its web
# report to out/sample/ with drav-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
sample=examples/sample-tournament.dat
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${DRAV_NO_GUI:-}" != 1 ]; then
  dir=$(bash scripts/build.sh release --target drav | tail -n 1)
  exec "$dir/bin/drav" "$sample"
fi
dir=$(bash scripts/build.sh release --target drav-cli | tail -n 1)
mkdir -p out/sample
"$dir/bin/drav-cli" quickprint teams "$sample"
"$dir/bin/drav-cli" report "$sample" out/sample/riverside
echo "Web report: out/sample/riverside_standings.html"
