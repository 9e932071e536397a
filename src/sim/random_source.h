// The one source of chance. Injected, so tests can force every draw.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace nib {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Seed(std::uint32_t seed) = 0;
  // Uniform draw in [0, 1), fresh at each call.
  virtual double Next() = 0;
};

// floor(R x n) for a fresh draw R, kept inside 0..n-1 even if a source
// ever hands out 1.
inline int DrawBelow(RandomSource& random, int n) {
  const int drawn = static_cast<int>(std::floor(random.Next() * n));
  return std::clamp(drawn, 0, n - 1);
}

class StdRandomSource final : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { engine_.seed(seed); }
  // A 32-bit draw scaled by 2^-32 can never reach 1.
  double Next() override { return engine_() * (1.0 / 4294967296.0); }

 private:
  std::mt19937 engine_{0};
};

}  // namespace nib
