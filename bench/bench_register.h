// The register a benchmark runs on: the file named by TESARO_BENCH_DB, or one made once
// per run in a temporary folder with TESARO_BENCH_CARDS synthetic cards (default 100 000).
#pragma once

#include "data/firebird/database.h"

// Made on first call; lives until the program ends.
const ConnectionParams& BenchRegister();
