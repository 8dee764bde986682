#pragma once

#include <cstdint>

namespace fractions {

// Source of the uniform draws every exercise type makes. The program uses one
// LcgRandom for everything; tests substitute scripted sources to pin down the
// order and the ranges of the draws.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform integer from 0 to n - 1. n must be at least 1.
  virtual int32_t Random(int32_t n) = 0;
};

// The program-wide generator: a 32-bit linear congruential generator
// (seed := seed * 134775813 + 1 modulo 2^32) whose draw is the high 32 bits of
// the unsigned 64-bit product seed * n. Worksheets are reproducible from the
// seed alone, on every machine.
class LcgRandom final : public RandomSource {
 public:
  explicit LcgRandom(uint32_t seed = 0) : seed_(seed) {}

  int32_t Random(int32_t n) override;

  void SetSeed(uint32_t seed) { seed_ = seed; }
  uint32_t Seed() const { return seed_; }

 private:
  uint32_t seed_;
};

// The seed the window uses: the time of day in universal time, in
// milliseconds since midnight ((h * 60 + m) * 60 + s) * 1000 + ms.
uint32_t TimeOfDaySeed();

}  // namespace fractions
