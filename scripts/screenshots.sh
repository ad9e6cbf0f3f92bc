#!/usr/bin/env bash
# Saves a screenshot (PNG) of each window of the desktop program, opened on the sample
# tournament, without a display, and of each page kind of its modern web report:
# scripts/screenshots.sh [OUTDIR] (default out/screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/screenshots}
bash scripts/install-deps.sh
dir=$(bash scripts/build.sh release --target drav-screenshots | tail -n 1)
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$dir/bin/drav-screenshots" examples/sample-tournament.dat "$out"

# The modern web report of the same tournament, each page kind at 390 and 1280 px, light and dark.
cli=$(bash scripts/build.sh release --target drav-cli | tail -n 1)/bin/drav-cli
/usr/bin/python3 scripts/web_screenshots.py "$cli" examples/sample-tournament.dat "$out"
