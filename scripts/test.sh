#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest, twice: the normal build,
# then the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of
# its own (TESARO_SANITIZE=ON), where a memory fault, a leak or undefined behaviour fails the
# test that caused it. The tests of several workstations run against a Firebird server this
# script starts on 127.0.0.1 and stops again (exactly the one it started) however the tests end;
# when it cannot start one, those tests skip and say why. Arguments go to both ctest runs.
# Exits non-zero when a build or any test of either run fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TESARO_BUILD_DIR:-$ROOT/build/test}"
SANITIZE_BUILD="${TESARO_SANITIZE_BUILD_DIR:-$ROOT/build/sanitize}"

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

status=0
echo "== tests of the normal build"
(cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@") || status=1

# The sanitizers' options are set on each test by the build (tests/CMakeLists.txt).
echo "== tests of the build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$ROOT" -B "$SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESARO_SANITIZE=ON -DTESARO_BUILD_BENCH=OFF
cmake --build "$SANITIZE_BUILD" -j"$(nproc)"
(cd "$SANITIZE_BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@") || status=1
exit "$status"
