#!/usr/bin/env bash
# Installs what is missing, builds Tesaro (Release) and starts it.
# Until the main window exists, starting means: create the embedded register on the first
# start (asking for the municipality), then say where it is.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TESARO_BUILD_DIR:-$ROOT/build/release}"

"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTESARO_BUILD_TESTS=OFF -DTESARO_BUILD_BENCH=OFF
cmake --build "$BUILD" -j"$(nproc)"

REGISTER="${TESARO_REGISTER:-${XDG_DATA_HOME:-$HOME/.local/share}/Tesaro/register.fdb}"
if [[ ! -f "$REGISTER" ]]; then
  echo "Няма регистър в $REGISTER; създаване на нов."
  mkdir -p "$(dirname "$REGISTER")"
  MUNICIPALITY="${TESARO_MUNICIPALITY:-}"
  while [[ -z "$MUNICIPALITY" && -t 0 ]]; do
    read -r -p "Име на общината (например Община Примерна): " MUNICIPALITY
  done
  "$BUILD/tools/tesaro-admin" init-db "$REGISTER" --municipality "${MUNICIPALITY:-Община}"
fi
echo "Регистърът е в $REGISTER."
echo "Главният прозорец на програмата все още не е готов; регистърът може да се попълни с"
echo "  $BUILD/tools/tesaro-admin seed \"$REGISTER\" --cards 1000"
