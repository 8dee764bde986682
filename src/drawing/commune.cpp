#include "commune.h"

#include <algorithm>
#include <numeric>

namespace fractions {

namespace {

uint32_t Magnitude(int32_t x) {
  // Well defined for INT32_MIN too: the negation happens in unsigned arithmetic.
  return x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x);
}

}  // namespace

int32_t Max3(int32_t a, int32_t b, int32_t c) {
  return std::max({0, a, b, c});
}

int32_t Gcd3(int32_t a, int32_t b, int32_t c) {
  // The defining search counts candidates up to Max3 and keeps the last common
  // divisor, which costs up to 500,000 steps per call at the largest terms.
  // When Max3 is positive, one argument x is positive; every common divisor
  // divides G = gcd(|a|, |b|, |c|) and G itself divides x, so G <= x <= Max3
  // and G is exactly what the search would keep.
  if (Max3(a, b, c) == 0) {
    return 1;
  }
  const uint32_t g = std::gcd(std::gcd(Magnitude(a), Magnitude(b)), Magnitude(c));
  return static_cast<int32_t>(g);
}

int32_t IntPower(int32_t base, int32_t e) {
  // Square and multiply: the same value as e repeated products modulo 2^32.
  uint32_t result = 1;
  uint32_t factor = static_cast<uint32_t>(base);
  for (uint32_t rest = e > 0 ? static_cast<uint32_t>(e) : 0u; rest != 0; rest >>= 1) {
    if (rest & 1u) {
      result *= factor;
    }
    factor *= factor;
  }
  return static_cast<int32_t>(result);
}

}  // namespace fractions
