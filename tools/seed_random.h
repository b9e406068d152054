// The synthetic register's own random numbers: splitmix64, so a seed gives the same
// register on every machine and every run (std distributions differ between libraries).
#pragma once

#include <cstdint>
#include <vector>

class SeedRandom {
 public:
  explicit SeedRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // 0 <= result < bound (bound > 0). The multiply-shift keeps it free of modulo bias
  // that would matter at these sizes.
  int Below(int bound) {
    return static_cast<int>((static_cast<unsigned __int128>(Next()) * static_cast<std::uint64_t>(bound)) >> 64);
  }
  // low <= result <= high.
  int Between(int low, int high) { return low + Below(high - low + 1); }
  // True with the given chance in percent (0..100).
  bool Percent(int chance) { return Below(100) < chance; }
  // A uniform number in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
  }

  // Index into `weights` chosen with probability proportional to each weight.
  int Weighted(const std::vector<int>& weights) {
    int total = 0;
    for (int w : weights) total += w;
    int roll = Below(total);
    for (size_t i = 0; i < weights.size(); ++i) {
      if (roll < weights[i]) return static_cast<int>(i);
      roll -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
  }

 private:
  std::uint64_t state_;
};
