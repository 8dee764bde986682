#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <utility>

#include "drawing/random.h"

namespace fractions::testing {

// A random source that plays back a script of (range, value) draws and fails
// the test when a draw asks for another range than the script expects. Tests
// use it to pin down the exact order and ranges of the draws a phase makes.
class ScriptedRandom final : public RandomSource {
 public:
  using Draw = std::pair<int32_t, int32_t>;  // (n of Random(n), value returned)

  void Add(std::initializer_list<Draw> draws) { script_.insert(script_.end(), draws); }
  // A term t drawn as Random(range) + offset.
  void AddTerm(int32_t range, int32_t offset, int32_t t) { script_.push_back({range, t - offset}); }

  int32_t Random(int32_t n) override {
    if (script_.empty()) {
      throw std::logic_error("draw of Random(" + std::to_string(n) + ") past the script");
    }
    const auto [range, value] = script_.front();
    script_.pop_front();
    ++drawn_;
    EXPECT_EQ(n, range) << "draw " << drawn_ << " asked for another range";
    return value;
  }

  bool Exhausted() const { return script_.empty(); }

 private:
  std::deque<Draw> script_;
  int drawn_ = 0;
};

}  // namespace fractions::testing
