#include "drawing/kinds/simplification.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "drawing/scripted_random.h"

namespace fractions {
namespace {

using testing::ScriptedRandom;
using Fraction = std::pair<int32_t, int32_t>;

constexpr int32_t kM = 100;

void AddFractions(ScriptedRandom& random, const std::vector<Fraction>& fractions) {
  for (const auto& [a, b] : fractions) {
    random.AddTerm(kM, 1, a);
    random.AddTerm(kM - 1, 2, b);
  }
}

struct Case {
  const char* what;
  std::vector<Fraction> draws;
  SimplificationQuestion expected;
};

TEST(Simplification, SearchesUpToSixDrawsForAReducibleFraction) {
  const std::vector<Case> cases = {
      {"12/4 is the whole number 3", {{12, 4}}, {12, 4, 3, 1}},
      {"7/7 is 1", {{7, 7}}, {7, 7, 1, 1}},
      {"the third draw is reducible", {{1, 2}, {2, 3}, {4, 6}}, {4, 6, 2, 3}},
      {"after six irreducible draws the sixth stays",
       {{1, 2}, {1, 3}, {2, 3}, {3, 4}, {4, 5}, {5, 7}},
       {5, 7, 5, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedRandom random;
    AddFractions(random, c.draws);
    QuestionTable table;
    DrawingContext context{random, table};
    const auto questions = SimplificationKind{}.Draw(kM, 1, context);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], c.expected);
    EXPECT_TRUE(random.Exhausted());
  }
}

TEST(Simplification, ADuplicateRestartsTheSearchWithSixFreshDraws) {
  ScriptedRandom random;
  AddFractions(random, {{12, 3}});
  // Six irreducible draws end on 1/23, which shares the key 123 with 12/3.
  AddFractions(random, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 23}});
  // A new search: six draws again, not one.
  AddFractions(random, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}});
  QuestionTable table;
  DrawingContext context{random, table};
  const auto questions = SimplificationKind{}.Draw(kM, 2, context);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0], (SimplificationQuestion{12, 3, 4, 1}));
  EXPECT_EQ(questions[1], (SimplificationQuestion{1, 7, 1, 7}));
  EXPECT_EQ(table.Slot(0), "123");
  EXPECT_EQ(table.Slot(1), "17");
  EXPECT_TRUE(random.Exhausted());
}

}  // namespace
}  // namespace fractions
