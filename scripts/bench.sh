#!/usr/bin/env bash
# Builds Tesaro in Release and runs every benchmark, printing their figures.
# TESARO_BENCH_CARDS (default 100000) sets the size of the synthetic register made for the
# run; TESARO_BENCH_DB names an existing register to use instead. Extra arguments go to
# each benchmark (e.g. --benchmark_filter=Bare).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESARO_BENCH_BUILD:-${TMPDIR:-/tmp}/tesaro-build-bench}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESARO_BUILD_TESTS=OFF -DTESARO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target tesaro_benchmarks tesaro-admin

# One synthetic register for all the benchmarks, unless one is given.
if [[ -z "${TESARO_BENCH_DB:-}" ]]; then
  workdir=$(mktemp -d)
  trap 'rm -rf "$workdir"' EXIT
  export TESARO_BENCH_DB="$workdir/bench.fdb"
  "$build/tools/tesaro-admin" init-db "$TESARO_BENCH_DB" --municipality "Община Примерна" >/dev/null
  "$build/tools/tesaro-admin" seed "$TESARO_BENCH_DB" --cards "${TESARO_BENCH_CARDS:-100000}" --seed 1 \
    --date 10.12.2026 2>/dev/null
fi

status=0
for bench in "$build"/bench/bench_*; do
  [[ -x "$bench" && -f "$bench" ]] || continue
  echo "== $(basename "$bench")"
  "$bench" "$@" || status=1
done
exit "$status"
