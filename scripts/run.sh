#!/usr/bin/env bash
# Installs what is missing, builds Tesaro (Release) and starts it. On the very first start
# the sign-in window asks for the municipality and the first administrator and creates the
# embedded register in the user's data folder.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TESARO_BUILD_DIR:-$ROOT/build/release}"

"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTESARO_BUILD_TESTS=OFF -DTESARO_BUILD_BENCH=OFF
cmake --build "$BUILD" -j"$(nproc)"
exec "$BUILD/src/app/tesaro" "$@"
