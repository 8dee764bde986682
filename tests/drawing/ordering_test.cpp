// Ordering four fractions, as a teacher checks a sheet: over many seeds and
// the options, four fractions of different values, none whole, the
// denominators as asked and their common one small; the key the four in
// increasing order (values computed here, exactly); each worked chain
// keeping its fraction's value and ending over the least common
// denominator, the last one's order true; one list of four once a sheet,
// whatever order it is shown in. The request's example pinned.
#include "drawing/kinds/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
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

// The text between the "<" of an order in ASCII, each read exactly.
std::vector<Exact> OrderValues(const std::string& text) {
  std::vector<Exact> values;
  for (size_t start = 0;;) {
    const size_t end = text.find(" < ", start);
    values.push_back(ExactEvaluator::Evaluate(text.substr(start, end - start)));
    if (end == std::string::npos)
      return values;
    start = end + 3;
  }
}

bool Before(const Exact& x, const Exact& y) {
  return x.n * y.d < y.n * x.d;
}

struct OptionCase {
  const char* what;
  int32_t largest_term;
  ExerciseOptions options;
};

TEST(Ordering, EverySheetOrdersFourDifferentFractionsWithAWorkedKey) {
  const OptionCase cases[] = {
      {"no option", 9, {}},
      {"no option, large terms", 500, {}},
      {"negatives", 12, {.negatives = true}},
      {"multiples", 20, {.denominators = DenominatorRule::kMultiple}},
      {"one denominator, negatives",
       9,
       {.denominators = DenominatorRule::kSame, .negatives = true}},
      {"one denominator", 9, {.denominators = DenominatorRule::kSame}},
      {"CM2", 12, FindLevelPreset(Level::kCM2)->options},
      {"6e", 20, FindLevelPreset(Level::k6e)->options},
      {"5e", 30, FindLevelPreset(Level::k5e)->options},
      {"4e", 20, FindLevelPreset(Level::k4e)->options},
      {"3e", 50, FindLevelPreset(Level::k3e)->options},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ExerciseOptions& o = c.options;
    const int32_t m = std::min(c.largest_term, OrderingKind::kLargestTerm);
    int negatives = 0;
    int numerators = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
      LcgRandom random(seed);
      QuestionTable table;
      DrawingContext context{random, table};
      const std::vector<OrderingQuestion> questions = kKind.Draw(c.largest_term, 40, context, o);
      ASSERT_EQ(questions.size(), 40u);
      std::set<std::set<std::pair<int32_t, int32_t>>> lists;
      for (const OrderingQuestion& q : questions) {
        const std::string text = kKind.Text(q, o);
        SCOPED_TRACE(text);
        std::vector<Exact> values;
        std::vector<int> order;
        int32_t largest_den = 0;
        for (int i = 0; i < 4; ++i) {
          EXPECT_TRUE(q.den[i] >= 2 && q.den[i] <= m && q.num[i] != 0 && std::abs(q.num[i]) <= m);
          EXPECT_NE(q.num[i] % q.den[i], 0) << "a whole number";
          EXPECT_TRUE(o.negatives || q.num[i] > 0);
          negatives += q.num[i] < 0 ? 1 : 0;
          ++numerators;
          values.push_back(Exact::Of(q.num[i], q.den[i]));
          order.push_back(i);
          largest_den = std::max(largest_den, q.den[i]);
        }
        int32_t common = 1;  // the least number every denominator divides
        while (std::any_of(q.den.begin(), q.den.end(), [&](int32_t d) { return common % d; }))
          ++common;
        EXPECT_LE(common, OrderingKind::kLargestCommonDenominator);
        for (const int32_t d : q.den) {
          if (o.denominators == DenominatorRule::kSame) {
            EXPECT_EQ(d, q.den[0]);
          }
          if (o.denominators == DenominatorRule::kMultiple) {
            EXPECT_EQ(largest_den % d, 0);
          }
        }
        std::sort(order.begin(), order.end(),
                  [&](int i, int j) { return Before(values[i], values[j]); });
        for (int k = 1; k < 4; ++k)
          EXPECT_TRUE(Before(values[order[k - 1]], values[order[k]])) << "two equal values";
        EXPECT_NE(order, (std::vector<int>{0, 1, 2, 3})) << "shown in order already";

        std::string shown, increasing;
        for (int k = 0; k < 4; ++k) {
          shown += (k ? " ; " : "") + std::to_string(q.num[k]) + "/" + std::to_string(q.den[k]);
          const int i = order[k];
          increasing +=
              (k ? " < " : "") + std::to_string(q.num[i]) + "/" + std::to_string(q.den[i]);
        }
        EXPECT_EQ(kKind.Answer(q, o), increasing);
        EXPECT_EQ(text, shown + " : " + increasing);

        // One chain per fraction as shown, from it to its writing over the
        // common denominator, then the order.
        const WorkedSteps steps = kKind.Steps(q, o);
        const std::vector<std::vector<std::string>> ascii = AsciiSteps(steps);
        ASSERT_EQ(ascii.size(), 5u);
        for (int i = 0; i < 4; ++i) {
          const std::vector<std::string>& chain = ascii[i];
          const Exact over_common = values[i] * Exact::Of(common, 1);
          EXPECT_EQ(chain.front(), Ascii(q.num[i], q.den[i]));
          EXPECT_EQ(chain.back(), Ascii(static_cast<int64_t>(over_common.n), common));
          EXPECT_LE(std::abs(static_cast<int64_t>(over_common.n)), 999);
          EXPECT_EQ(chain.size(), q.den[i] == common ? 1u : 3u);
          for (const std::string& step : chain)
            EXPECT_EQ(ExactEvaluator::Evaluate(step), values[i]) << step;
        }
        ASSERT_EQ(steps[4].size(), 1u);
        const StepExpression& last = steps[4][0];
        std::vector<Exact> concluded = OrderValues(ascii[4][0]);
        ASSERT_EQ(concluded.size(), 4u);
        StepExpression reason = last;  // the four over the common denominator
        if (reason.operators.size() > 3) {
          EXPECT_EQ(reason.operators[3], StepOperator::kHence);
          reason.operands.resize(4);
          reason.operators.resize(3);
        }
        const std::vector<Exact> reasons = OrderValues(AsciiExpression(reason));
        ASSERT_EQ(reasons.size(), 4u);
        for (int k = 0; k < 4; ++k) {
          EXPECT_EQ(concluded[k], values[order[k]]) << ascii[4][0];
          EXPECT_EQ(reasons[k], values[order[k]]) << AsciiExpression(reason);
          EXPECT_EQ(reason.operands[k].den, FractionStep(1, common).den) << "not over " << common;
        }

        std::set<std::pair<int32_t, int32_t>> list;
        for (int i = 0; i < 4; ++i)
          list.insert({q.num[i], q.den[i]});
        EXPECT_TRUE(lists.insert(list).second) << "the same four asked twice";
        // The same four shown in another order are the same question.
        const OrderingQuestion turned{{q.num[3], q.num[0], q.num[1], q.num[2]},
                                      {q.den[3], q.den[0], q.den[1], q.den[2]}};
        EXPECT_EQ(kKind.KeyNumbers(turned), kKind.KeyNumbers(q));
      }
    }
    if (o.negatives) {
      EXPECT_NEAR(static_cast<double>(negatives) / numerators, 0.5, 0.05);
    }
  }
}

TEST(Ordering, TheBoardWritesTheOrderOverTheLeastCommonDenominator) {
  using Strings = std::vector<std::string>;
  struct Row {
    OrderingQuestion q;
    std::string text;
    std::vector<Strings> steps;
    bool reason;  // "donc" after the four over the common denominator
  };
  const Row rows[] = {
      {{{3, 2, 5, 7}, {4, 3, 6, 12}},
       "3/4 ; 2/3 ; 5/6 ; 7/12 : 7/12 < 2/3 < 3/4 < 5/6",
       {{"((3)/(4))", "((3*3)/(4*3))", "((9)/(12))"},
        {"((2)/(3))", "((2*4)/(3*4))", "((8)/(12))"},
        {"((5)/(6))", "((5*2)/(6*2))", "((10)/(12))"},
        {"((7)/(12))"},
        {"((7)/(12)) < ((2)/(3)) < ((3)/(4)) < ((5)/(6))"}},
       true},
      {{{-3, 1, -5, 3}, {4, 2, 6, 8}},
       "-3/4 ; 1/2 ; -5/6 ; 3/8 : -5/6 < -3/4 < 3/8 < 1/2",
       {{"-((3)/(4))", "-((3*6)/(4*6))", "-((18)/(24))"},
        {"((1)/(2))", "((1*12)/(2*12))", "((12)/(24))"},
        {"-((5)/(6))", "-((5*4)/(6*4))", "-((20)/(24))"},
        {"((3)/(8))", "((3*3)/(8*3))", "((9)/(24))"},
        {"-((5)/(6)) < (-((3)/(4))) < ((3)/(8)) < ((1)/(2))"}},
       true},
      {{{5, 3, 7, 1}, {9, 9, 9, 9}},
       "5/9 ; 3/9 ; 7/9 ; 1/9 : 1/9 < 3/9 < 5/9 < 7/9",
       {{"((5)/(9))"},
        {"((3)/(9))"},
        {"((7)/(9))"},
        {"((1)/(9))"},
        {"((1)/(9)) < ((3)/(9)) < ((5)/(9)) < ((7)/(9))"}},
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(kKind.Text(row.q, {}), row.text);
    EXPECT_EQ(kKind.Answer(row.q, {}), row.text.substr(row.text.find(" : ") + 3));
    const WorkedSteps steps = kKind.Steps(row.q, {});
    EXPECT_EQ(AsciiSteps(steps), row.steps);
    const std::vector<StepOperator>& ops = steps.back().at(0).operators;
    EXPECT_EQ(std::count(ops.begin(), ops.end(), StepOperator::kHence), row.reason ? 1 : 0);
  }
}

}  // namespace
}  // namespace fractions
