#!/usr/bin/env bash
# Installs what the build needs, builds, and runs every test (core, command line, desktop
# windows offscreen). scripts/test.sh sanitize runs the same suite under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-release}
bash scripts/install-deps.sh
dir=$(bash scripts/build.sh "$mode" | tail -n 1)
export QT_QPA_PLATFORM=offscreen
# Qt and the font libraries keep caches alive until exit; leaks are checked on our code by the
# core tests, which run with leak detection on.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_stack_use_after_return=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure -j "${DRAV_JOBS:-2}" --timeout 600
