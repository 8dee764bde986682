#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "drawing/commune.h"
#include "drawing/random.h"
#include "drawing/trial_division_gcd3.h"

namespace fractions {
namespace {

using testing::TrialDivisionGcd3;

TEST(Gcd3, AgreesWithTrialDivisionOnSmallGridWithNegativesAndZeros) {
  for (int32_t a = -13; a <= 13; ++a) {
    for (int32_t b = -13; b <= 13; ++b) {
      for (int32_t c = -13; c <= 13; ++c) {
        ASSERT_EQ(Gcd3(a, b, c), TrialDivisionGcd3(a, b, c)) << a << ", " << b << ", " << c;
      }
    }
  }
}

TEST(Gcd3, AgreesWithTrialDivisionOnDrawnShapes) {
  // The shapes the exercises use: (x, y, y) with large, composite values.
  LcgRandom random(7);
  for (int i = 0; i < 3000; ++i) {
    const int32_t x = random.Random(2001) - 1000;
    const int32_t y = (random.Random(40) + 1) * (random.Random(25) + 1);
    ASSERT_EQ(Gcd3(x, y, y), TrialDivisionGcd3(x, y, y)) << x << ", " << y;
  }
}

TEST(Gcd3, ExtremeArguments) {
  struct Case {
    int32_t a, b, c, expected;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, 1},                 // nothing to search
      {0, 250000, 250000, 250000},  // a zero difference reduces to 0/1
      {INT_MIN, INT_MIN, 0, 1},     // Max3 is 0
      {INT_MIN, 2, 2, 2},           // |INT_MIN| must not overflow
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {-250000, 500, 500, 500},
      {-7, -14, 21, 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Gcd3(c.a, c.b, c.c), c.expected) << c.a << ", " << c.b << ", " << c.c;
  }
}

TEST(IntPower, ExponentsZeroNegativeAndWrapping) {
  EXPECT_EQ(IntPower(7, 0), 1);
  EXPECT_EQ(IntPower(0, 0), 1);
  EXPECT_EQ(IntPower(5, -3), 1);
  EXPECT_EQ(IntPower(0, 3), 0);
  EXPECT_EQ(IntPower(2, 9), 512);
  EXPECT_EQ(IntPower(31, 2), 961);
  EXPECT_EQ(IntPower(-3, 3), -27);
  EXPECT_EQ(IntPower(2, 31), INT_MIN);  // wraps like 32-bit hardware
  EXPECT_EQ(IntPower(3, 40), static_cast<int32_t>(3486784401u * 3486784401u));
}

TEST(LcgRandom, KnownSequences) {
  struct Case {
    uint32_t seed;
    int32_t n;
    std::vector<int32_t> draws;
  };
  // Worked out independently from seed := seed * 134775813 + 1, draw = (seed * n) >> 32.
  const std::vector<Case> cases = {
      {0, 100, {0, 3, 86, 20, 27, 67}},
      {12345, 500, {192, 144, 39, 276, 316, 170}},
      {4294967295u, 9, {8, 1, 4, 1, 7, 0}},
      {1, 2147483647, {67387906, 1849087502, 435039309, 586093958, 1442366880, 684384293}},
  };
  for (const Case& c : cases) {
    LcgRandom random(c.seed);
    for (const int32_t expected : c.draws) {
      EXPECT_EQ(random.Random(c.n), expected) << "seed " << c.seed;
    }
  }
}

}  // namespace
}  // namespace fractions
