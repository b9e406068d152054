#!/usr/bin/env bash
# Builds Tesaro in Release and runs every benchmark, printing their figures: on synthetic
# registers of each size in TESARO_BENCH_SIZES (default "10000 100000"), embedded and over a
# Firebird server on loopback (TESARO_BENCH_MODES, default "embedded server"), and the time
# from the program's start to its shown main window. TESARO_BENCH_DB names an existing
# register to use instead (one run, embedded or "host:/path" with ISC_USER/ISC_PASSWORD).
# Extra arguments go to each benchmark (e.g. --benchmark_filter=Bare).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESARO_BENCH_BUILD:-${TMPDIR:-/tmp}/tesaro-build-bench}

if [[ " ${TESARO_BENCH_MODES:-embedded server} " == *" server "* ]]; then export TESARO_WITH_SERVER=1; fi
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESARO_BUILD_TESTS=OFF -DTESARO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target tesaro_benchmarks tesaro-admin tesaro
admin="$build/tools/tesaro-admin"

status=0
run_benchmarks() {
  for bench in "$build"/bench/bench_*; do
    [[ -x "$bench" && -f "$bench" ]] || continue
    [[ "$(basename "$bench")" == bench_card_save ]] && continue  # runs once, below, on registers of its own
    echo "== $(basename "$bench")"
    "$bench" "$@" || status=1
  done
}

# Start to shown main window, signed in by the reference login library without a window.
time_start() {
  local register=$1 home
  home=$(mktemp -d)
  printf 'bench-password\n' | HOME="$home" "$admin" user add bench --rights USER1 --register "$register" \
    --config "$home/login.ini" --password-stdin >/dev/null
  echo "== program start ($register)"
  local output
  output=$(HOME="$home" USERPROFILE="$home" TESARO_LOGIN_CONFIG="$home/login.ini" TESARO_LOGIN_USER=bench \
    TESARO_LOGIN_PASSWORD=bench-password TESARO_QUIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=offscreen \
    timeout 300 "$build/src/app/tesaro" 2>&1) || true
  if ! grep "main window shown" <<<"$output"; then
    echo "the program did not show its main window: $output" >&2
    status=1
  fi
  rm -rf "$home"
}

if [[ -n "${TESARO_BENCH_DB:-}" ]]; then
  run_benchmarks "$@"
  exit "$status"
fi

workdir=$(mktemp -d)
chmod 755 "$workdir"
server_state="$workdir/server"
cleanup() {
  "$root/scripts/loopback_server.sh" stop "$server_state" >/dev/null 2>&1 || true
  rm -rf "$workdir"
}
trap cleanup EXIT

for cards in ${TESARO_BENCH_SIZES:-10000 100000}; do
  db="$workdir/bench-$cards.fdb"
  "$admin" init-db "$db" --municipality "Община Примерна" >/dev/null
  "$admin" seed "$db" --cards "$cards" --seed 1 --date 10.12.2026 2>/dev/null
  for mode in ${TESARO_BENCH_MODES:-embedded server}; do
    echo "######## $cards cards, $mode"
    if [[ "$mode" == embedded ]]; then
      TESARO_BENCH_DB="$db" run_benchmarks "$@"
      time_start "$db"
    else
      # The server opens the file under its own user.
      chown firebird:firebird "$db"
      if ! "$root/scripts/loopback_server.sh" start "$server_state"; then
        echo "no loopback server: the server figures are left out" >&2
        status=1
        continue
      fi
      # shellcheck disable=SC1091
      source "$server_state/credentials"
      export ISC_USER ISC_PASSWORD
      TESARO_BENCH_DB="localhost:$db" run_benchmarks "$@"
      time_start "localhost:$db"
      unset ISC_USER ISC_PASSWORD
      "$root/scripts/loopback_server.sh" stop "$server_state" >/dev/null
    fi
  done
done

# Saving a card and the ranked list after the refresh: 10 000 cards against 100 000 (and
# 300 000 when TESARO_BENCH_SIZES names it), embedded, each size on copies of its own seeded
# register, the sizes taking turns in every repeat.
echo "######## card save and ranked list against the register's size"
save_args=()
[[ " ${TESARO_BENCH_SIZES:-} " == *" 300000 "* ]] && save_args+=(--with-300000)
TESARO_BENCH_SEEDED_DIR="$workdir/seeded" "$build/bench/bench_card_save" "${save_args[@]}" || status=1
exit "$status"
