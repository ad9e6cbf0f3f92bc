#!/usr/bin/env bash
# Formats every C++ source of the project with the repository's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i
