#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest.
# Exits non-zero when the build or any test fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TESARO_BUILD_DIR:-$ROOT/build/test}"

"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESARO_BUILD_BENCH=ON
cmake --build "$BUILD" -j"$(nproc)"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
