#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one (default: the tournament file reader)
# for the given number of seconds (default 600), starting from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-tournament_file_fuzz}
seconds=${2:-600}
bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRAV_FUZZ=ON -DDRAV_BUILD_GUI=OFF -DDRAV_BUILD_BENCH=OFF > /dev/null
cmake --build build/fuzz -j "${DRAV_JOBS:-2}" --target "$target"
corpus=build/fuzz/corpus/${target%_fuzz}
mkdir -p "$corpus"
seeds=tests/data/fuzz/${target%_fuzz}
[ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
exec build/fuzz/bin/"$target" -max_total_time="$seconds" -timeout=60 -max_len=65536 "$corpus"
