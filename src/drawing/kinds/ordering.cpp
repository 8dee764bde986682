#include "ordering.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>

namespace fractions {

namespace {

constexpr int kFractions = 4;

// What a class orders, by level (Libre first, then CM2 to 3e): the largest
// term, the largest least common denominator and how many different
// denominators the four have; how the denominators relate comes from the
// options (one at CM2, multiples in 6e and 5e, any in 4e and 3e). CM2
// orders tenths over one denominator; 6e fractions over two denominators
// one a multiple of the other; 5e over three or four; 4e brings negative
// numbers; 3e a common denominator up to 120.
struct LevelRow {
  int32_t largest_term;
  int32_t largest_common;
  int fewest_denominators, most_denominators;
};

constexpr std::array<LevelRow, 6> kLevelRows = {{
    {OrderingKind::kLargestTerm, OrderingKind::kLargestCommonDenominator, 1, 4},  // Libre
    {10, OrderingKind::kLargestCommonDenominator, 1, 4},                          // CM2
    {12, OrderingKind::kLargestCommonDenominator, 1, 2},                          // 6e
    {12, OrderingKind::kLargestCommonDenominator, 3, 4},                          // 5e
    {12, OrderingKind::kLargestCommonDenominator, 1, 4},                          // 4e
    {12, 120, 1, 4},                                                              // 3e
}};

// num[i]/den[i] < num[j]/den[j]; the denominators are positive.
bool Smaller(const OrderingQuestion& q, int i, int j) {
  return int64_t{q.num[i]} * q.den[j] < int64_t{q.num[j]} * q.den[i];
}

// The places of the four fractions as shown, in increasing order of value.
std::array<int, kFractions> Increasing(const OrderingQuestion& q) {
  std::array<int, kFractions> order{0, 1, 2, 3};
  std::sort(order.begin(), order.end(), [&q](int i, int j) { return Smaller(q, i, j); });
  return order;
}

int32_t CommonDenominator(const OrderingQuestion& q) {
  int32_t common = 1;
  for (const int32_t den : q.den) {
    common = std::lcm(common, den);
  }
  return common;
}

// Four fractions a pupil can order: none a whole number, no two of one
// value, the denominators as the options relate them, as many different
// ones as the class works with and their least common multiple small, and
// something to do: not already in increasing order.
bool Acceptable(const OrderingQuestion& q, const ExerciseOptions& used, const LevelRow& row) {
  for (int i = 0; i < kFractions; ++i) {
    if (q.num[i] % q.den[i] == 0) {
      return false;
    }
    for (int j = 0; j < i; ++j) {
      if (!Smaller(q, i, j) && !Smaller(q, j, i)) {
        return false;
      }
    }
  }
  if (used.denominators == DenominatorRule::kMultiple) {
    const int32_t largest = *std::max_element(q.den.begin(), q.den.end());
    if (std::any_of(q.den.begin(), q.den.end(),
                    [largest](int32_t d) { return largest % d != 0; })) {
      return false;
    }
  }
  if (CommonDenominator(q) > row.largest_common) {
    return false;
  }
  std::array<int32_t, kFractions> dens = q.den;
  std::sort(dens.begin(), dens.end());
  const auto different = static_cast<int>(std::unique(dens.begin(), dens.end()) - dens.begin());
  // With one denominator asked, the options win over a class's mix.
  const int fewest = used.denominators == DenominatorRule::kSame ? 1 : row.fewest_denominators;
  if (different < fewest || different > row.most_denominators) {
    return false;
  }
  const std::array<int, kFractions> order = Increasing(q);
  return order != std::array<int, kFractions>{0, 1, 2, 3};
}

// The four fractions `values` joined by "<".
StepExpression Ordered(const std::array<StepOperand, kFractions>& values) {
  StepExpression expression{{values.begin(), values.end()}, {}, false};
  expression.operators.assign(kFractions - 1, StepOperator::kLess);
  return expression;
}

}  // namespace

std::vector<OrderingQuestion> OrderingKind::Draw(int32_t largest_term, int32_t count,
                                                 DrawingContext& context,
                                                 const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  const LevelRow& row = kLevelRows.at(static_cast<size_t>(used.level));
  const int32_t m = std::min(largest_term, row.largest_term);

  std::vector<OrderingQuestion> questions;
  for (int position = 0; position < count; ++position) {
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      // Every ordered draw of four acceptable fractions as likely, and each
      // list of four drawn in as many orders as any other: each question is
      // as likely.
      OrderingQuestion q{};
      for (int i = 0; i < kFractions; ++i) {
        q.num[i] = random.Random(m) + 1;
        const bool same = i > 0 && used.denominators == DenominatorRule::kSame;
        q.den[i] = same ? q.den[0] : random.Random(m - 1) + 2;
      }
      if (used.negatives) {
        for (int32_t& num : q.num) {
          num = random.Random(2) == 1 ? -num : num;
        }
      }
      if (!Acceptable(q, used, row) || !context.table.StoreIfNew(position, RepeatKey(q))) {
        continue;
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 8> OrderingKind::KeyNumbers(const OrderingQuestion& q) const {
  std::array<int32_t, 8> numbers{};
  const std::array<int, kFractions> order = Increasing(q);
  for (int k = 0; k < kFractions; ++k) {
    numbers[2 * k] = q.num[order[k]];
    numbers[2 * k + 1] = q.den[order[k]];
  }
  return numbers;
}

std::string OrderingKind::RepeatKey(const OrderingQuestion& q) const {
  std::array<int32_t, 8> values = KeyNumbers(q);
  for (size_t k = 0; k < values.size(); k += 2) {
    const int32_t g = std::gcd(values[k], values[k + 1]);
    values[k] /= g;
    values[k + 1] /= g;
  }
  return SeparatedKey(values);
}

QuestionFields OrderingKind::Fields(const OrderingQuestion& q, const ExerciseOptions&) const {
  return {{{"num1", q.num[0]},
           {"den1", q.den[0]},
           {"num2", q.num[1]},
           {"den2", q.den[1]},
           {"num3", q.num[2]},
           {"den3", q.den[2]},
           {"num4", q.num[3]},
           {"den4", q.den[3]}},
          std::nullopt};
}

std::string OrderingKind::Text(const OrderingQuestion& q, const ExerciseOptions& options) const {
  std::string text;
  for (int i = 0; i < kFractions; ++i) {
    text += (i > 0 ? " ; " : "") + FractionText(q.num[i], q.den[i]);
  }
  return text + " : " + Answer(q, options);
}

std::string OrderingKind::Answer(const OrderingQuestion& q, const ExerciseOptions&) const {
  std::string text;
  for (const int i : Increasing(q)) {
    text += (text.empty() ? "" : " < ") + FractionText(q.num[i], q.den[i]);
  }
  return text;
}

WorkedSteps OrderingKind::Steps(const OrderingQuestion& q, const ExerciseOptions&) const {
  const int32_t common = CommonDenominator(q);
  WorkedSteps steps;
  for (int i = 0; i < kFractions; ++i) {
    const int32_t k = common / q.den[i];
    if (k > 1) {  // a fraction over L already needs no row of its own
      steps.push_back({Single(FractionStep(q.num[i], q.den[i])),
                       Single(ExpandedStep(q.num[i], q.den[i], k)),
                       Single(FractionStep(q.num[i] * k, common))});
    }
  }

  std::array<StepOperand, kFractions> reasons;
  std::array<StepOperand, kFractions> given;
  const std::array<int, kFractions> order = Increasing(q);
  const bool one_denominator = steps.empty();
  for (int k = 0; k < kFractions; ++k) {
    const int i = order[k];
    // Over one denominator the numerators give the order; otherwise the
    // four over L.
    reasons[k] = one_denominator ? FractionStep(q.num[i], 1)
                                 : FractionStep(q.num[i] * (common / q.den[i]), common);
    given[k] = FractionStep(q.num[i], q.den[i]);
  }
  StepExpression conclusion = Ordered(reasons);
  if (one_denominator) {
    conclusion.words = "m\xEAme d\xE9nominateur : ";
  }
  const StepExpression order_given = Ordered(given);
  conclusion.operators.push_back(StepOperator::kHence);
  conclusion.operands.insert(conclusion.operands.end(), order_given.operands.begin(),
                             order_given.operands.end());
  conclusion.operators.insert(conclusion.operators.end(), order_given.operators.begin(),
                              order_given.operators.end());
  steps.push_back({std::move(conclusion)});
  return steps;
}

}  // namespace fractions
