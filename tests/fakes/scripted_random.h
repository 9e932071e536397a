// A random source that hands out the draws a test lines up, then a fixed one.
#pragma once

#include <deque>

#include "sim/random_source.h"

namespace nib::testing {

class ScriptedRandom : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { seeds.push_back(seed); }
  double Next() override {
    if (draws.empty()) return fallback;
    const double d = draws.front();
    draws.pop_front();
    return d;
  }
  std::deque<double> draws;
  double fallback = 0.0;
  std::deque<std::uint32_t> seeds;
};

}  // namespace nib::testing
