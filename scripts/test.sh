#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest. The tests of several
# workstations run against a Firebird server this script starts on 127.0.0.1 and stops again
# (exactly the one it started) however the tests end; when it cannot start one, those tests
# skip and say why. Exits non-zero when the build or any test fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TESARO_BUILD_DIR:-$ROOT/build/test}"

TESARO_WITH_SERVER=1 "$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESARO_BUILD_BENCH=ON
cmake --build "$BUILD" -j"$(nproc)"

server_state=$(mktemp -d)
stop_server() {
  "$ROOT/scripts/loopback_server.sh" stop "$server_state" || true
  rm -rf "$server_state"
}
trap stop_server EXIT
if server_log=$("$ROOT/scripts/loopback_server.sh" start "$server_state" 2>&1); then
  echo "$server_log"
  # shellcheck disable=SC1091
  source "$server_state/credentials"
  export TESARO_LOOPBACK_SERVER=localhost TESARO_LOOPBACK_USER="$ISC_USER" TESARO_LOOPBACK_PASSWORD="$ISC_PASSWORD"
  unset ISC_USER ISC_PASSWORD
else
  echo "$server_log" >&2
  export TESARO_LOOPBACK_SKIP_REASON="scripts/test.sh could not start it: ${server_log//$'\n'/ }"
fi

cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
