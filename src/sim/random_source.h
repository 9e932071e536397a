// The one source of chance. Injected, so tests can force every draw.
#pragma once

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

class StdRandomSource final : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { engine_.seed(seed); }
  // A 32-bit draw scaled by 2^-32 can never reach 1.
  double Next() override { return engine_() * (1.0 / 4294967296.0); }

 private:
  std::mt19937 engine_{0};
};

}  // namespace nib
