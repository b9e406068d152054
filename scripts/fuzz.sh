#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of their own and runs each for a bounded time, one
# after another. Not part of CI. Settings (environment):
#   TESARO_FUZZ_RUNS      inputs per target (default 1000000)
#   TESARO_FUZZ_SECONDS   time limit per target in seconds (default 900)
#   TESARO_FUZZ_TARGETS   which targets (default all: the fuzz_*.cpp of tests/fuzz)
#   TESARO_FUZZ_BUILD     build folder (default build/fuzz)
#   TESARO_FUZZ_CORPUS    where each target's corpus grows, outside git (default build/fuzz-corpus);
#                         the seeds of tests/fuzz/seeds/<target> are read too, never written, and
#                         tests/fuzz/seeds/<target>.dict, where there is one, is the target's dictionary
# Extra arguments go to every target (e.g. -max_len=8192). A finding is saved as
# <corpus>/findings/<target>-crash-…; replay it with the target and that file as argument (in
# build/test or build/sanitize the targets replay files without libFuzzer). Exits non-zero when
# any target found something.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TESARO_FUZZ_BUILD:-$ROOT/build/fuzz}"
CORPUS="${TESARO_FUZZ_CORPUS:-$ROOT/build/fuzz-corpus}"
RUNS="${TESARO_FUZZ_RUNS:-1000000}"
SECONDS_EACH="${TESARO_FUZZ_SECONDS:-900}"
if [[ -n "${TESARO_FUZZ_TARGETS:-}" ]]; then
  read -r -a TARGETS <<<"$TESARO_FUZZ_TARGETS"
else
  TARGETS=()
  for source in "$ROOT"/tests/fuzz/fuzz_*.cpp; do TARGETS+=("$(basename "$source" .cpp)"); done
fi

# clang and its libFuzzer runtime come with the project's other packages.
TESARO_WITH_FUZZ=1 "$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESARO_SANITIZE=ON -DTESARO_FUZZ=ON -DTESARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$CORPUS/findings"
status=0
summary=()
for target in "${TARGETS[@]}"; do
  mkdir -p "$CORPUS/$target"
  log="$CORPUS/$target.log"
  echo "== $target: up to $RUNS runs or $SECONDS_EACH s"
  started=$(date +%s)
  result=ok
  dictionary=()
  if [[ -f "$ROOT/tests/fuzz/seeds/$target.dict" ]]; then dictionary=(-dict="$ROOT/tests/fuzz/seeds/$target.dict"); fi
  if ! "$BUILD/tests/fuzz/$target" -runs="$RUNS" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
      -artifact_prefix="$CORPUS/findings/$target-" "${dictionary[@]}" "$@" "$CORPUS/$target" \
      "$ROOT/tests/fuzz/seeds/$target" >"$log" 2>&1; then
    result="FINDING (see $log)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  summary+=("$target: ${runs:-?} runs in $(($(date +%s) - started)) s, corpus $(find "$CORPUS/$target" -type f | wc -l) inputs: $result")
  tail -n 3 "$log"
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit "$status"
