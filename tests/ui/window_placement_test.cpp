#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace fractions {
namespace {

// A 1280 x 1024 screen with a 30-pixel panel at the top.
const QRect kAvailable(0, 30, 1280, 994);

TEST(KeptInside, AStoredPlaceOffTheScreenOrLargerThanItComesBackInside) {
  struct Case {
    const char* what;
    QRect stored;
    QRect expected;
  };
  const Case cases[] = {
      {"inside: unchanged", {100, 100, 800, 445}, {100, 100, 800, 445}},
      {"a second screen that is gone", {5000, 5000, 800, 445}, {480, 579, 800, 445}},
      {"left of and above the screen", {-900, -50, 800, 445}, {0, 30, 800, 445}},
      {"larger than the screen", {0, 0, 30000, 30000}, {0, 30, 1280, 994}},
      {"half off the right edge", {1000, 200, 800, 445}, {480, 200, 800, 445}},
      {"extreme edges", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 30, 1280, 994}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeptInside(c.stored, kAvailable), c.expected) << c.what;
  }
}

TEST(CentredIn, CentresAndFitsTheWindowToTheScreen) {
  EXPECT_EQ(CentredIn({800, 445}, kAvailable), QRect(240, 304, 800, 445));
  // Scaled twice on a 1280 x 1024 screen: 640 x 512 to place 800 x 445.
  EXPECT_EQ(CentredIn({800, 445}, QRect(0, 0, 640, 512)), QRect(0, 33, 640, 445));
  EXPECT_EQ(CentredIn({800, 600}, QRect(0, 0, 640, 512)), QRect(0, 0, 640, 512));
}

}  // namespace
}  // namespace fractions
