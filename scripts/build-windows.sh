#!/usr/bin/env bash
# Builds DRAV for 64-bit Windows on Debian with the mingw-w64 cross compilers and checks it
# under Wine. Writes build/windows/DRAV-VERSION-win64.zip and DRAV-VERSION-setup.exe.
#
#   bash scripts/build-windows.sh [all|deps|qt|core|test-core|gui|package]
#
# all (default): everything. deps: the Windows dependencies only. qt: Qt alone.
# core: the core, drav-cli and their tests (no Qt needed). test-core: core, then its tests
# under Wine. gui: the desktop program and its window tests. package: the zip and the installer.
#
# The Windows dependencies are built from Debian's own source packages into a cache outside
# the build tree (DRAV_WIN_CACHE, default ~/.cache/drav-windows), each with a stamp file, so a
# second run reuses them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
what=${1:-all}
cache=${DRAV_WIN_CACHE:-$HOME/.cache/drav-windows}
prefix=$cache/prefix
out=$root/build/windows
jobs=${DRAV_JOBS:-2}
mkdir -p "$cache/stamps" "$cache/src" "$prefix" "$out"
export DRAV_WIN_PREFIX=$prefix

step_started=0
step() {
  finish_step
  step_name=$1
  step_started=$(date +%s)
  echo "== $step_name" >&2
}
finish_step() {
  if [ "$step_started" != 0 ]; then
    echo "== $step_name: $(($(date +%s) - step_started)) s" >&2
  fi
  step_started=0
}
trap finish_step EXIT

source scripts/windows/deps.sh
source scripts/windows/drav.sh

case "$what" in
  deps) install_packages; build_qt; build_curl; build_gtest ;;
  qt) install_packages; build_qt ;;
  core) install_packages; build_curl; build_gtest; build_core ;;
  test-core) install_packages; build_curl; build_gtest; build_core; test_core; test_posting ;;
  gui) install_packages; build_qt; build_curl; build_gtest; build_gui; test_gui ;;
  package) install_packages; build_qt; build_curl; build_gtest; build_gui; package ;;
  all) install_packages; build_qt; build_curl; build_gtest; build_core; build_gui; test_core
    test_posting; test_gui; package ;;
  *) echo "usage: scripts/build-windows.sh [all|deps|qt|core|test-core|gui|package]" >&2; exit 2 ;;
esac
finish_step
