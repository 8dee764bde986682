// Ordering four fractions, as a teacher checks a sheet: over many seeds and
// the options, four fractions of different values, none whole, not shown in
// order already, the denominators as asked and their common one small; the
// key in increasing order (values read exactly here); a row for each
// fraction not over the least common denominator yet, keeping its value to
// its writing over it, the last row's reason true; each level within its
// row.
#include "drawing/kinds/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "drawing/exact_value.h"
#include "level_sheet.h"

namespace fractions {
namespace {

using testing::Exact;
using testing::ExactEvaluator;

constexpr OrderingKind kKind{};
const std::string kSameDenominator = "m\xEAme d\xE9nominateur : ";

std::string Ascii(int64_t num, int64_t den) {
  return (num < 0 ? "-((" : "((") + std::to_string(std::abs(num)) + ")/(" + std::to_string(den) +
         "))";
}

// Each term of an order "x < y < z" read exactly.
std::vector<Exact> OrderValues(const std::string& text) {
  std::vector<Exact> values;
  for (size_t start = 0, end = 0; end != std::string::npos; start = end + 3) {
    end = text.find(" < ", start);
    values.push_back(ExactEvaluator::Evaluate(text.substr(start, end - start)));
  }
  return values;
}

bool Before(const Exact& x, const Exact& y) {
  return x.n * y.d < y.n * x.d;
}

TEST(Ordering, EverySheetOrdersFourDifferentFractionsWithAWorkedKey) {
  const std::tuple<const char*, int32_t, ExerciseOptions> cases[] = {
      {"no option", 9, {}},
      {"large terms", 500, {}},
      {"negatives", 12, {.negatives = true}},
      {"multiples", 20, {.denominators = DenominatorRule::kMultiple}},
      {"one denominator", 9, {.denominators = DenominatorRule::kSame, .negatives = true}},
      {"CM2", 12, FindLevelPreset(Level::kCM2)->options},
      {"5e", 30, FindLevelPreset(Level::k5e)->options},
      {"4e", 20, FindLevelPreset(Level::k4e)->options},
  };
  for (const auto& [what, largest_term, o] : cases) {
    SCOPED_TRACE(what);
    const int32_t m = std::min(largest_term, OrderingKind::kLargestTerm);
    int negatives = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
      LcgRandom random(seed);
      QuestionTable table;
      DrawingContext context{random, table};
      for (const OrderingQuestion& q : kKind.Draw(largest_term, 40, context, o)) {
        SCOPED_TRACE(kKind.Text(q, o));
        std::vector<Exact> values;
        std::vector<int> order{0, 1, 2, 3};
        const int32_t largest_den = *std::max_element(q.den.begin(), q.den.end());
        int32_t common = 1;  // the least number every denominator divides
        while (std::any_of(q.den.begin(), q.den.end(), [&](int32_t d) { return common % d; }))
          ++common;
        for (int i = 0; i < 4; ++i) {
          EXPECT_TRUE(q.den[i] >= 2 && q.den[i] <= m && std::abs(q.num[i]) <= m);
          EXPECT_NE(q.num[i] % q.den[i], 0) << "a whole number";
          EXPECT_TRUE(o.negatives || q.num[i] > 0);
          EXPECT_TRUE(o.denominators != DenominatorRule::kSame || q.den[i] == q.den[0]);
          EXPECT_TRUE(o.denominators != DenominatorRule::kMultiple || largest_den % q.den[i] == 0);
          negatives += q.num[i] < 0 ? 1 : 0;
          values.push_back(Exact::Of(q.num[i], q.den[i]));
        }
        EXPECT_LE(common, OrderingKind::kLargestCommonDenominator);
        std::sort(order.begin(), order.end(),
                  [&](int i, int j) { return Before(values[i], values[j]); });
        EXPECT_NE(order, (std::vector<int>{0, 1, 2, 3})) << "shown in order already";
        std::string increasing;
        for (int k = 0; k < 4; ++k) {
          EXPECT_TRUE(k == 0 || Before(values[order[k - 1]], values[order[k]])) << "equal values";
          const int i = order[k];
          increasing +=
              (k ? " < " : "") + std::to_string(q.num[i]) + "/" + std::to_string(q.den[i]);
        }
        EXPECT_EQ(kKind.Answer(q, o), increasing);

        // A row per fraction not over `common` yet, to its writing over it;
        // then the four over it (their numerators if all are), "donc" the order.
        const WorkedSteps steps = kKind.Steps(q, o);
        const std::vector<std::vector<std::string>> ascii = AsciiSteps(steps);
        size_t row = 0;
        for (int i = 0; i < 4; ++i) {
          if (q.den[i] == common) {
            continue;
          }
          ASSERT_LT(row + 1, ascii.size()) << "no row for " << q.num[i] << "/" << q.den[i];
          const Exact over_common = values[i] * Exact::Of(common, 1);
          EXPECT_EQ(ascii[row].front(), Ascii(q.num[i], q.den[i]));
          EXPECT_EQ(ascii[row].back(), Ascii(static_cast<int64_t>(over_common.n), common));
          for (const std::string& step : ascii[row])
            EXPECT_EQ(ExactEvaluator::Evaluate(step), values[i]) << step;
          ++row;
        }
        ASSERT_EQ(ascii.size(), row + 1) << "a row for a fraction over " << common;
        ASSERT_EQ(steps.back().size(), 1u);
        const StepExpression& last = steps.back()[0];
        ASSERT_EQ(std::count(last.operators.begin(), last.operators.end(), StepOperator::kHence),
                  1);
        StepExpression reason = last;  // the four before "donc"
        reason.operands.resize(4);
        reason.operators.resize(3);
        const std::vector<Exact> concluded = OrderValues(ascii.back()[0]);
        const std::vector<Exact> reasons = OrderValues(AsciiExpression(reason));
        const bool one_denominator = row == 0;
        EXPECT_EQ(last.words, one_denominator ? kSameDenominator : "");
        ASSERT_EQ(concluded.size(), 4u);
        for (int k = 0; k < 4; ++k) {
          const int i = order[k];
          EXPECT_EQ(concluded[k], values[i]) << ascii.back()[0];
          EXPECT_EQ(reasons[k], one_denominator ? Exact::Of(q.num[i], 1) : values[i]);
          EXPECT_EQ(reason.operands[k].den, FractionStep(1, one_denominator ? 1 : common).den)
              << "not over " << common;
        }
      }
    }
    if (o.negatives) {
      EXPECT_NEAR(negatives / (60.0 * 40 * 4), 0.5, 0.05) << "not half and half";
    }
  }
}

// Each level's terms, least common denominator and number of different
// denominators within its row and its bounds reached; its negatives.
TEST(Ordering, EachLevelDrawsItsRow) {
  struct Row {
    Level level;
    int32_t terms, common;
    int fewest_denominators, most_denominators;
  };
  const Row rows[] = {
      {Level::kFree, 12, 60, 1, 4}, {Level::kCM2, 10, 10, 1, 1}, {Level::k6e, 12, 12, 1, 2},
      {Level::k5e, 12, 12, 3, 4},   {Level::k4e, 12, 60, 1, 4},  {Level::k3e, 12, 120, 1, 4},
  };
  for (const Row& row : rows) {
    const LevelPreset* preset = FindLevelPreset(row.level);
    const ExerciseOptions options = preset != nullptr ? preset->options : ExerciseOptions{};
    SCOPED_TRACE(preset != nullptr ? preset->name : "Libre");
    int32_t largest = 0, largest_common = 0;
    int fewest = 4, most = 1, negative = 0;
    for (uint32_t seed = 1; seed <= 100; ++seed) {
      for (const OrderingQuestion& q : testing::LevelSheet(kKind, row.level, 40, seed)) {
        int32_t common = 1;
        for (int i = 0; i < 4; ++i) {
          largest = std::max({largest, std::abs(q.num[i]), q.den[i]});
          common = std::lcm(common, q.den[i]);
          negative += q.num[i] < 0 ? 1 : 0;
        }
        largest_common = std::max(largest_common, common);
        const int different = static_cast<int>(std::set(q.den.begin(), q.den.end()).size());
        fewest = std::min(fewest, different);
        most = std::max(most, different);
      }
    }
    EXPECT_EQ(largest, row.terms);
    EXPECT_EQ(largest_common, row.common);
    EXPECT_EQ(fewest, row.fewest_denominators);
    EXPECT_EQ(most, row.most_denominators);
    EXPECT_EQ(negative > 0, options.negatives);
  }
}

TEST(Ordering, TheBoardWritesTheOrderOverTheLeastCommonDenominator) {
  using Rows = std::vector<std::string>;
  const std::tuple<OrderingQuestion, std::string, Rows> rows[] = {
      // 7/12 is over 12 already: no row of its own.
      {{{3, 2, 5, 7}, {4, 3, 6, 12}},
       "3/4 ; 2/3 ; 5/6 ; 7/12 : 7/12 < 2/3 < 3/4 < 5/6",
       {"((3)/(4)) = ((3*3)/(4*3)) = ((9)/(12))", "((2)/(3)) = ((2*4)/(3*4)) = ((8)/(12))",
        "((5)/(6)) = ((5*2)/(6*2)) = ((10)/(12))",
        "((7)/(12)) < ((8)/(12)) < ((9)/(12)) < ((10)/(12)) donc "
        "((7)/(12)) < ((2)/(3)) < ((3)/(4)) < ((5)/(6))"}},
      {{{-3, 1, -5, 3}, {4, 2, 6, 8}},
       "-3/4 ; 1/2 ; -5/6 ; 3/8 : -5/6 < -3/4 < 3/8 < 1/2",
       {"-((3)/(4)) = -((3*6)/(4*6)) = -((18)/(24))", "((1)/(2)) = ((1*12)/(2*12)) = ((12)/(24))",
        "-((5)/(6)) = -((5*4)/(6*4)) = -((20)/(24))", "((3)/(8)) = ((3*3)/(8*3)) = ((9)/(24))",
        "-((20)/(24)) < -((18)/(24)) < ((9)/(24)) < ((12)/(24)) donc "
        "-((5)/(6)) < -((3)/(4)) < ((3)/(8)) < ((1)/(2))"}},
      // Over one denominator already: its numerators give the order.
      {{{5, 3, 7, 1}, {9, 9, 9, 9}},
       "5/9 ; 3/9 ; 7/9 ; 1/9 : 1/9 < 3/9 < 5/9 < 7/9",
       {kSameDenominator + "1 < 3 < 5 < 7 donc ((1)/(9)) < ((3)/(9)) < ((5)/(9)) < ((7)/(9))"}},
  };
  for (const auto& [q, text, want] : rows) {
    EXPECT_EQ(kKind.Text(q, {}), text);
    EXPECT_EQ(kKind.Answer(q, {}), text.substr(text.find(" : ") + 3));
    EXPECT_EQ(testing::BoardRows(kKind.Steps(q, {})), want);
  }
}

}  // namespace
}  // namespace fractions
