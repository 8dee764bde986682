#include "ordering.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>

namespace fractions {

namespace {

constexpr int kFractions = 4;

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
// value, the denominators as the options relate them and their least
// common multiple small, and something to do: not already in increasing
// order.
bool Acceptable(const OrderingQuestion& q, const ExerciseOptions& used) {
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
  if (CommonDenominator(q) > OrderingKind::kLargestCommonDenominator) {
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
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  const int32_t m = std::min(largest_term, kLargestTerm);

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
      if (!Acceptable(q, used) || !context.table.StoreIfNew(position, RepeatKey(q))) {
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
  return SeparatedKey(KeyNumbers(q));
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
    StepChain chain{Single(FractionStep(q.num[i], q.den[i]))};
    if (k > 1) {
      chain.push_back(Single(ExpandedStep(q.num[i], q.den[i], k)));
      chain.push_back(Single(FractionStep(q.num[i] * k, common)));
    }
    steps.push_back(std::move(chain));
  }

  std::array<StepOperand, kFractions> over_common;
  std::array<StepOperand, kFractions> given;
  const std::array<int, kFractions> order = Increasing(q);
  for (int k = 0; k < kFractions; ++k) {
    const int i = order[k];
    over_common[k] = FractionStep(q.num[i] * (common / q.den[i]), common);
    given[k] = FractionStep(q.num[i], q.den[i]);
  }
  StepExpression conclusion = Ordered(given);
  if (over_common != given) {
    // The reason first: over one denominator the numerators give the order.
    StepExpression reason = Ordered(over_common);
    reason.operators.push_back(StepOperator::kHence);
    reason.operands.insert(reason.operands.end(), conclusion.operands.begin(),
                           conclusion.operands.end());
    reason.operators.insert(reason.operators.end(), conclusion.operators.begin(),
                            conclusion.operators.end());
    conclusion = std::move(reason);
  }
  steps.push_back({std::move(conclusion)});
  return steps;
}

}  // namespace fractions
