#include "drawing/kinds/four_operations.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <vector>

#include "drawing/scripted_random.h"

namespace fractions {
namespace {

using testing::ScriptedRandom;
using Terms = std::array<int32_t, 4>;

constexpr int32_t kM = 100;
constexpr OperationKind kAddition{Operation::kAdd};

void AddAttempt(ScriptedRandom& random, const Terms& terms) {
  for (const int32_t t : terms) {
    random.AddTerm(kM, 1, t);
  }
}

struct Case {
  const char* what;
  Operation operation;
  std::vector<Terms> attempts;  // the last one is accepted
  OperationQuestion expected;
};

TEST(FourOperations, AttemptsAreRejectedOrReducedAsTheRulesSay) {
  const std::vector<Case> cases = {
      {"two whole numbers are refused, one is fine",
       Operation::kAdd,
       {{3, 1, 5, 1}, {3, 1, 5, 2}},
       {3, 1, 5, 2, 11, 2}},
      {"a zero difference is 0/1", Operation::kSubtract, {{3, 4, 6, 8}}, {3, 4, 6, 8, 0, 1}},
      {"a negative difference is refused",
       Operation::kSubtract,
       {{1, 2, 3, 4}, {3, 4, 1, 2}},
       {3, 4, 1, 2, 1, 4}},
      {"division reduces 6/12", Operation::kDivide, {{2, 3, 4, 3}}, {2, 3, 4, 3, 1, 2}},
      {"numerator 999 passes", Operation::kMultiply, {{27, 1, 37, 2}}, {27, 1, 37, 2, 999, 2}},
      {"numerator 1000 is refused",
       Operation::kMultiply,
       {{25, 1, 40, 3}, {1, 27, 1, 37}},
       {1, 27, 1, 37, 1, 999}},
      {"denominator 1000 is refused",
       Operation::kMultiply,
       {{1, 25, 1, 40}, {2, 3, 3, 4}},
       {2, 3, 3, 4, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedRandom random;
    for (const Terms& attempt : c.attempts) {
      AddAttempt(random, attempt);
    }
    QuestionTable table;
    DrawingContext context{random, table};
    const auto questions = OperationKind{c.operation}.Draw(kM, 1, context);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], c.expected);
    EXPECT_TRUE(random.Exhausted());
  }
}

TEST(FourOperations, SharedDigitsCountAsOneQuestionWithinARunOnly) {
  ScriptedRandom random;
  AddAttempt(random, {1, 12, 3, 4});
  AddAttempt(random, {11, 2, 3, 4});  // same key 11234: refused
  AddAttempt(random, {1, 2, 1, 3});
  QuestionTable table;
  DrawingContext context{random, table};
  const auto questions = kAddition.Draw(kM, 2, context);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[1], (OperationQuestion{1, 2, 1, 3, 5, 6}));
  EXPECT_EQ(table.Slot(0), "11234");
  EXPECT_EQ(table.Slot(1), "1213");

  // The next run empties the table, so the same question is welcome again.
  AddAttempt(random, {11, 2, 3, 4});
  const auto next = kAddition.Draw(kM, 1, context);
  EXPECT_EQ(next[0], (OperationQuestion{11, 2, 3, 4, 25, 4}));
  EXPECT_EQ(table.Slot(1), "");
}

TEST(FourOperations, SettingsOutsideTheWindowRangesAreRefused) {
  LcgRandom random(1);
  QuestionTable table;
  DrawingContext context{random, table};
  EXPECT_THROW(kAddition.Draw(8, 10, context), std::out_of_range);
  EXPECT_THROW(kAddition.Draw(501, 10, context), std::out_of_range);
  EXPECT_THROW(kAddition.Draw(100, 41, context), std::out_of_range);
  EXPECT_TRUE(kAddition.Draw(100, 0, context).empty());
}

}  // namespace
}  // namespace fractions
