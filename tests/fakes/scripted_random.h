// A random source that hands out the draws a test lines up, then a fixed one.
#pragma once

#include <cstdint>
#include <deque>
#include <random>

#include "sim/random_source.h"

namespace nib::testing {

class ScriptedRandom : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { seeds.push_back(seed); }
  double Next() override {
    if (draws.empty()) return seeded_ ? engine_() * (1.0 / 4294967296.0) : fallback;
    const double d = draws.front();
    draws.pop_front();
    return d;
  }
  // After the lined-up draws, chance from a seeded generator instead of the
  // fixed fallback: whole lives that a test can still steer.
  void FallBackToSeed(std::uint32_t seed) {
    seeded_ = true;
    engine_.seed(seed);
  }
  std::deque<double> draws;
  double fallback = 0.0;
  std::deque<std::uint32_t> seeds;

 private:
  bool seeded_ = false;
  std::mt19937 engine_;
};

}  // namespace nib::testing
