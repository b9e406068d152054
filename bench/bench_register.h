// The register a benchmark runs on: the file named by TESARO_BENCH_DB, or one made once
// per run in a temporary folder with TESARO_BENCH_CARDS synthetic cards (default 100 000).
#pragma once

#include "data/firebird/database.h"

// Made on first call; lives until the program ends.
const ConnectionParams& BenchRegister();

// A register file seeded with `cards` synthetic cards (seed 1), made once per run in a
// temporary folder; or kept in and taken again from the folder TESARO_BENCH_SEEDED_DIR names
// (seeding 300 000 cards takes minutes). Benchmarks that change a register work on a copy.
QString SeededRegisterFile(int cards);
