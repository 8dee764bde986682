#include "drawing/kinds/powers.h"

#include <gtest/gtest.h>

#include <vector>

#include "drawing/scripted_random.h"

namespace fractions {
namespace {

using testing::ScriptedRandom;
using Script = std::vector<ScriptedRandom::Draw>;

constexpr int32_t kM = 100;

// Draws are written (range, value): the form is Random(9), a is Random(M) + 1,
// b is Random(M - 1) + 2, then Random(20) for the exponent and whatever the
// exponent and the low-exponent redraw ask for.
constexpr PowerForm kWhole = PowerForm::kWholeFraction;
constexpr PowerForm kNumerator = PowerForm::kNumeratorOnly;
constexpr PowerForm kDenominator = PowerForm::kDenominatorOnly;

struct Case {
  const char* what;
  Script script;
  PowerQuestion expected;  // a, b, p, q, form, exponent
  const char* key;
};

TEST(Powers, EachFormDrawsInOrderAndComputesItsResult) {
  const std::vector<Case> cases = {
      {"(6/4)^5: the exponent follows the reduced base 3/2",
       {{9, 0}, {kM, 5}, {kM - 1, 2}, {20, 0}, {4, 2}},
       {6, 4, 243, 32, kWhole, 5},
       "6415"},
      {"6^2/8 reduces after raising",
       {{9, 7}, {kM, 5}, {kM - 1, 6}, {20, 0}, {2, 0}},
       {6, 8, 9, 2, kNumerator, 2},
       "6822"},
      {"6/4^3 reduces after raising",
       {{9, 8}, {kM, 5}, {kM - 1, 2}, {20, 5}, {2, 0}},
       {6, 4, 3, 32, kDenominator, 3},
       "6433"},
      {"exponent 0 on the whole fraction gives 1",
       {{9, 0}, {kM, 2}, {kM - 1, 3}, {20, 19}, {4, 0}},
       {3, 5, 1, 1, kWhole, 0},
       "3510"},
      {"exponent 0 on the numerator gives 1/b",
       {{9, 7}, {kM, 2}, {kM - 1, 3}, {20, 19}, {4, 0}},
       {3, 5, 1, 5, kNumerator, 0},
       "3520"},
      {"exponent 0 on the denominator gives a",
       {{9, 8}, {kM, 6}, {kM - 1, 3}, {20, 19}, {4, 0}},
       {7, 5, 7, 1, kDenominator, 0},
       "7530"},
      {"form 3 redraw may give the numerator 0, answer 0/1",
       {{9, 8}, {kM, 49}, {kM - 1, 10}, {20, 18}, {4, 1}, {kM, 0}, {8, 3}, {2, 1}},
       {0, 5, 0, 1, kDenominator, 3},
       "0533"},
      {"form 2 keeps its form and its large base size through the redraw: refused",
       {{9, 7},
        {kM, 39},
        {kM - 1, 8},
        {20, 0},
        {4, 2},
        {9, 2},
        {kM - 1, 8},
        {2, 0},
        /* second attempt, same form */ {kM, 4},
        {kM - 1, 8},
        {20, 0},
        {2, 1}},
       {5, 10, 125, 2, kNumerator, 4},
       "51024"},
      {"form 1 redraws small terms until the reduced base is below 10",
       {{9, 0},
        {kM, 89},
        {kM - 1, 5},
        {20, 0},
        {4, 3},
        {20, 19},
        {19, 1},  // 20/3: base 20, again
        {20, 17},
        {19, 10},  // 18/12 = 3/2
        {2, 1}},
       {18, 12, 27, 8, kWhole, 3},
       "181213"},
      {"a whole fraction kept with exponent 1 and base 50 is refused",
       {{9, 0},
        {kM, 49},
        {kM - 1, 31},
        {20, 0},
        {4, 0},
        /* second attempt */ {kM, 0},
        {kM - 1, 0},
        {20, 0},
        {6, 5}},
       {1, 2, 1, 512, kWhole, 9},
       "1219"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedRandom random;
    for (const auto& draw : c.script) {
      random.Add({draw});
    }
    QuestionTable table;
    DrawingContext context{random, table};
    const auto questions = PowerKind{}.Draw(kM, 1, context);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], c.expected);
    EXPECT_EQ(table.Slot(0), c.key);
    EXPECT_TRUE(random.Exhausted());
  }
}

TEST(Powers, QuestionsSharingAKeyAreRefusedWithinARun) {
  // (1/12)^2 and (11/2)^2 both have the key 11212.
  ScriptedRandom random;
  random.Add({{9, 0}, {kM, 0}, {kM - 1, 10}, {20, 0}});
  random.Add({{9, 0}, {kM, 10}, {kM - 1, 0}, {20, 0}});
  random.Add({{kM, 1}, {kM - 1, 1}, {20, 0}, {4, 0}});
  QuestionTable table;
  DrawingContext context{random, table};
  const auto questions = PowerKind{}.Draw(kM, 2, context);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0], (PowerQuestion{1, 12, 1, 144, kWhole, 2}));
  EXPECT_EQ(questions[1], (PowerQuestion{2, 3, 8, 27, kWhole, 3}));
  EXPECT_TRUE(random.Exhausted());
}

TEST(Powers, ExponentTableByBaseSize) {
  struct Row {
    int32_t base_size;
    int32_t range;  // 0: no draw
    int32_t lowest;
  };
  const std::vector<Row> rows = {{1, 6, 4},  {2, 6, 4},  {3, 4, 3},  {4, 2, 3},
                                 {5, 2, 3},  {6, 2, 2},  {9, 2, 2},  {10, 0, 2},
                                 {31, 0, 2}, {32, 0, 1}, {500, 0, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.base_size);
    ScriptedRandom random;
    if (row.range > 0) {
      random.Add({{row.range, row.range - 1}});
      EXPECT_EQ(ExponentForBaseSize(row.base_size, random), row.lowest + row.range - 1);
    } else {
      EXPECT_EQ(ExponentForBaseSize(row.base_size, random), row.lowest);
    }
    EXPECT_TRUE(random.Exhausted());
  }
}

}  // namespace
}  // namespace fractions
