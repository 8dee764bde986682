#include "fraction_of_number.h"

#include <algorithm>
#include <utility>

namespace fractions {

namespace {

// No term over this, the number taken a fraction of included.
constexpr int32_t kLargestNumber = 999;

}  // namespace

std::vector<FractionOfNumberQuestion> FractionOfNumberKind::Draw(
    int32_t largest_term, int32_t count, DrawingContext& context,
    const ExerciseOptions& /*options*/) const {
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;
  const int32_t largest_denominator = std::min(largest_term, kLargestDenominator);

  std::vector<FractionOfNumberQuestion> questions;
  for (int position = 0; position < count; ++position) {
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      FractionOfNumberQuestion q{};
      q.a = random.Random(largest_denominator - 1) + 1;
      q.b = random.Random(largest_denominator - 1) + 2;
      const int32_t part = random.Random(largest_term - 1) + 2;
      if (q.a >= q.b || context.gcd3(q.a, q.b, q.b) != 1 || q.b * part > kLargestNumber) {
        continue;
      }
      q.n = q.b * part;
      q.result = q.a * part;
      if (!context.table.StoreIfNew(position, RepeatKey(q))) {
        continue;
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 3> FractionOfNumberKind::KeyNumbers(const FractionOfNumberQuestion& q) const {
  return {q.a, q.b, q.n};
}

std::string FractionOfNumberKind::RepeatKey(const FractionOfNumberQuestion& q) const {
  return SeparatedKey(KeyNumbers(q));
}

QuestionFields FractionOfNumberKind::Fields(const FractionOfNumberQuestion& q,
                                            const ExerciseOptions& /*options*/) const {
  return {{{"a", q.a}, {"b", q.b}, {"n", q.n}, {"result", q.result}}, {}};
}

std::string FractionOfNumberKind::Text(const FractionOfNumberQuestion& q,
                                       const ExerciseOptions& options) const {
  return FractionText(q.a, q.b) + " de " + std::to_string(q.n) + " = " + Answer(q, options);
}

std::string FractionOfNumberKind::Answer(const FractionOfNumberQuestion& q,
                                         const ExerciseOptions& /*options*/) const {
  return std::to_string(q.result);
}

WorkedSteps FractionOfNumberKind::Steps(const FractionOfNumberQuestion& q,
                                        const ExerciseOptions& /*options*/) const {
  const int32_t part = q.n / q.b;
  StepChain chain{Binary(FractionStep(q.a, q.b), StepOperator::kOf, FractionStep(q.n, 1))};
  if (q.a == 1) {
    chain.push_back(Binary(FractionStep(q.n, 1), StepOperator::kDivide, FractionStep(q.b, 1)));
  } else {
    StepExpression divided_first =
        Binary(FractionStep(q.n, 1), StepOperator::kDivide, FractionStep(q.b, 1));
    divided_first.operands.push_back(FractionStep(q.a, 1));
    divided_first.operators.push_back(StepOperator::kTimes);
    divided_first.operands[0].opens_group = true;
    divided_first.operands[1].closes_group = true;
    chain.push_back(std::move(divided_first));
    chain.push_back(Binary(FractionStep(part, 1), StepOperator::kTimes, FractionStep(q.a, 1)));
  }
  chain.push_back(Single(FractionStep(q.result, 1)));
  return {chain};
}

}  // namespace fractions
