// Ordering four fractions, as a teacher checks a sheet: over many seeds and
// the options, four fractions of different values, none whole, not shown in
// order already, the denominators as asked and their common one small; the
// key in increasing order (values read exactly here); each chain keeping its
// fraction's value to its writing over the least common denominator, the
// last one's order true; one list of four once a sheet, in whatever order.
#include "drawing/kinds/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "drawing/exact_value.h"

namespace fractions {
namespace {

using testing::Exact;
using testing::ExactEvaluator;

constexpr OrderingKind kKind{};

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
      std::set<std::set<std::pair<int32_t, int32_t>>> lists;
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

        const WorkedSteps steps = kKind.Steps(q, o);
        const std::vector<std::vector<std::string>> ascii = AsciiSteps(steps);
        ASSERT_EQ(ascii.size(), 5u);
        for (int i = 0; i < 4; ++i) {  // the fraction shown, to its writing over `common`
          const Exact over_common = values[i] * Exact::Of(common, 1);
          EXPECT_EQ(ascii[i].front(), Ascii(q.num[i], q.den[i]));
          EXPECT_EQ(ascii[i].back(), Ascii(static_cast<int64_t>(over_common.n), common));
          for (const std::string& step : ascii[i])
            EXPECT_EQ(ExactEvaluator::Evaluate(step), values[i]) << step;
        }
        ASSERT_EQ(steps[4].size(), 1u);
        StepExpression reason = steps[4][0];  // the four over `common`, before "donc"
        reason.operands.resize(4);
        reason.operators.resize(3);
        const std::vector<Exact> concluded = OrderValues(ascii[4][0]);
        const std::vector<Exact> reasons = OrderValues(AsciiExpression(reason));
        ASSERT_EQ(concluded.size(), 4u);
        for (int k = 0; k < 4; ++k) {
          EXPECT_EQ(concluded[k], values[order[k]]) << ascii[4][0];
          EXPECT_EQ(reasons[k], values[order[k]]);
          EXPECT_EQ(reason.operands[k].den, FractionStep(1, common).den) << "not over " << common;
        }

        std::set<std::pair<int32_t, int32_t>> list;
        for (int i = 0; i < 4; ++i)
          list.insert({q.num[i], q.den[i]});
        EXPECT_TRUE(lists.insert(list).second) << "the same four asked twice";
      }
    }
    if (o.negatives) {
      EXPECT_NEAR(negatives / (60.0 * 40 * 4), 0.5, 0.05) << "not half and half";
    }
  }
}

TEST(Ordering, TheBoardWritesTheOrderOverTheLeastCommonDenominator) {
  using Chains = std::vector<std::vector<std::string>>;
  const std::tuple<OrderingQuestion, std::string, Chains, int> rows[] = {
      {{{3, 2, 5, 7}, {4, 3, 6, 12}},
       "3/4 ; 2/3 ; 5/6 ; 7/12 : 7/12 < 2/3 < 3/4 < 5/6",
       {{"((3)/(4))", "((3*3)/(4*3))", "((9)/(12))"},
        {"((2)/(3))", "((2*4)/(3*4))", "((8)/(12))"},
        {"((5)/(6))", "((5*2)/(6*2))", "((10)/(12))"},
        {"((7)/(12))"},
        {"((7)/(12)) < ((2)/(3)) < ((3)/(4)) < ((5)/(6))"}},
       1},
      {{{-3, 1, -5, 3}, {4, 2, 6, 8}},
       "-3/4 ; 1/2 ; -5/6 ; 3/8 : -5/6 < -3/4 < 3/8 < 1/2",
       {{"-((3)/(4))", "-((3*6)/(4*6))", "-((18)/(24))"},
        {"((1)/(2))", "((1*12)/(2*12))", "((12)/(24))"},
        {"-((5)/(6))", "-((5*4)/(6*4))", "-((20)/(24))"},
        {"((3)/(8))", "((3*3)/(8*3))", "((9)/(24))"},
        {"-((5)/(6)) < -((3)/(4)) < ((3)/(8)) < ((1)/(2))"}},
       1},
      // Over one denominator already: the order alone, no "donc".
      {{{5, 3, 7, 1}, {9, 9, 9, 9}},
       "5/9 ; 3/9 ; 7/9 ; 1/9 : 1/9 < 3/9 < 5/9 < 7/9",
       {{"((5)/(9))"},
        {"((3)/(9))"},
        {"((7)/(9))"},
        {"((1)/(9))"},
        {"((1)/(9)) < ((3)/(9)) < ((5)/(9)) < ((7)/(9))"}},
       0},
  };
  for (const auto& [q, text, chains, hence] : rows) {
    EXPECT_EQ(kKind.Text(q, {}), text);
    EXPECT_EQ(kKind.Answer(q, {}), text.substr(text.find(" : ") + 3));
    const WorkedSteps steps = kKind.Steps(q, {});
    EXPECT_EQ(AsciiSteps(steps), chains);
    const std::vector<StepOperator>& ops = steps.back().at(0).operators;
    EXPECT_EQ(std::count(ops.begin(), ops.end(), StepOperator::kHence), hence) << text;
  }
}

}  // namespace
}  // namespace fractions
