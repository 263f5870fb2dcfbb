// The one random generator of a running game: seeded once from the clock, or from --seed so a
// scripted run repeats exactly.
#pragma once

#include <cstdint>
#include <random>

class TRandom {
 public:
  explicit TRandom(uint64_t seed = 0) : Engine_(seed) {}
  void Seed(uint64_t seed) { Engine_.seed(seed); }
  // Uniform in 0..n-1; 0 when n is not positive.
  int32_t Next(int32_t n) {
    if (n <= 1) return 0;
    return int32_t(Engine_() % uint64_t(n));
  }

 private:
  std::mt19937_64 Engine_;
};
