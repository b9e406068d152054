// The process's peak resident memory, as the benchmarks report it.
#pragma once

// VmHWM from /proc/self/status in kB; -1 when it cannot be read.
long PeakResidentKb();
