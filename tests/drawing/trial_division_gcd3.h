#pragma once

#include <cstdint>

#include "drawing/commune.h"

namespace fractions::testing {

// Gcd3 by its defining search: every i from 1 to Max3(a, b, c), keeping the
// last common divisor. Slow on large arguments; a reference for tests and
// the yardstick of the benchmarks.
inline int32_t TrialDivisionGcd3(int32_t a, int32_t b, int32_t c) {
  int32_t found = 1;
  const int32_t limit = Max3(a, b, c);
  for (int32_t i = 1; i <= limit; ++i) {
    if (a % i == 0 && b % i == 0 && c % i == 0) {
      found = i;
    }
  }
  return found;
}

}  // namespace fractions::testing
