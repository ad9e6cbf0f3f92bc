#!/usr/bin/env bash
# Configures and builds one configuration: release (default) or sanitize
# (address + undefined behaviour). Prints the build directory on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-release}
shift || true
case "$mode" in
  release) dir=build/release; opts=(-DCMAKE_BUILD_TYPE=Release) ;;
  sanitize) dir=build/sanitize; opts=(-DCMAKE_BUILD_TYPE=Debug -DDRAV_SANITIZE=ON -DDRAV_BUILD_BENCH=OFF) ;;
  *) echo "usage: scripts/build.sh [release|sanitize] [cmake --build options]" >&2; exit 2 ;;
esac
# A compiler cache keyed on paths relative to the checkout, so a second checkout or a
# rebuild after switching branches reuses what was compiled before.
if command -v ccache > /dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(pwd)}"
  opts+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${opts[@]}" -DDRAV_WERROR="${DRAV_WERROR:-OFF}" >&2
# Build output goes to stderr so callers that take the last line still show the errors.
cmake --build "$dir" -j "${DRAV_JOBS:-2}" "$@" >&2
echo "$dir"
