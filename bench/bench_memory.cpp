// Reading the peak resident memory of the process.
#include "bench_memory.h"

#include <fstream>
#include <string>

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}
