#include "drawing/kinds/common_denominator.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "drawing/scripted_random.h"

namespace fractions {
namespace {

using testing::ScriptedRandom;
using Terms = std::array<int32_t, 4>;

constexpr int32_t kM = 100;

struct Case {
  const char* what;
  std::vector<Terms> attempts;  // the last one is accepted
  CommonDenominatorQuestion expected;
};

TEST(CommonDenominator, ReducesFirstThenMultipliesTheDenominators) {
  const std::vector<Case> cases = {
      {"a whole number term", {{3, 1, 2, 5}}, {3, 1, 2, 5, 15, 5, 2, 5}},
      {"each fraction is reduced first", {{2, 4, 1, 6}}, {2, 4, 1, 6, 6, 12, 2, 12}},
      {"equal denominators are still multiplied", {{1, 3, 2, 3}}, {1, 3, 2, 3, 3, 9, 6, 9}},
      {"equivalent fractions pass", {{1, 2, 2, 4}}, {1, 2, 2, 4, 2, 4, 2, 4}},
      {"two terms reducing to whole numbers are refused",
       {{4, 2, 6, 3}, {1, 2, 1, 3}},
       {1, 2, 1, 3, 3, 6, 2, 6}},
      {"two whole numbers are refused", {{3, 1, 5, 1}, {1, 2, 1, 3}}, {1, 2, 1, 3, 3, 6, 2, 6}},
      {"the same fraction twice is refused",
       {{2, 3, 2, 3}, {1, 2, 1, 3}},
       {1, 2, 1, 3, 3, 6, 2, 6}},
      {"a numerator of 1000 is refused",
       {{100, 1, 1, 10}, {99, 1, 1, 10}},
       {99, 1, 1, 10, 990, 10, 1, 10}},
      {"a denominator of 1000 is refused, 999 passes",
       {{1, 40, 1, 25}, {1, 37, 1, 27}},
       {1, 37, 1, 27, 27, 999, 37, 999}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedRandom random;
    for (const Terms& attempt : c.attempts) {
      for (const int32_t t : attempt) {
        random.AddTerm(kM, 1, t);
      }
    }
    QuestionTable table;
    DrawingContext context{random, table};
    const auto questions = CommonDenominatorKind{}.Draw(kM, 1, context);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], c.expected);
    EXPECT_TRUE(random.Exhausted());
  }
}

}  // namespace
}  // namespace fractions
