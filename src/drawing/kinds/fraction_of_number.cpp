#include "fraction_of_number.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

#include "level_rules.h"

namespace fractions {

namespace {

// No term over this, the number taken a fraction of included.
constexpr int32_t kLargestNumber = 999;

// What a class is set: its denominators (those listed, or 2 to
// `largest_denominator` when none are), the part n ÷ b from 2 to
// `largest_part`, and one question in `above_one_in` of a fraction above
// 1 (0: none). The largest term asked caps the denominators and the part
// too.
struct PartRow {
  std::span<const int32_t> denominators;
  int32_t largest_denominator;
  int32_t largest_part;
  int32_t above_one_in;
};

// Halves, thirds, quarters, fifths and tenths: the shares of cycle 3.
constexpr int32_t kPrimaryDenominators[] = {2, 3, 4, 5, 10};

// Indexed by Level ("Libre" draws as it always has, without a row). CM2 a
// simple share of a number in the tables; 6e denominators to tenths; 5e to
// twelfths, larger numbers; 4e and 3e a quarter of the sheet above 1,
// "5/4 de 36", 3e denominators to twentieths.
constexpr PartRow kRows[] = {
    {{}, 0, 0, 0},   {kPrimaryDenominators, 10, 10, 0},
    {{}, 10, 12, 0}, {{}, 12, 20, 0},
    {{}, 12, 20, 4}, {{}, 20, 25, 4},
};

// A question of the row within the largest term, below 1 or above it
// (below 2 then, never whole); nothing when this attempt's numbers do not
// suit.
std::optional<FractionOfNumberQuestion> LevelAttempt(const PartRow& row, int32_t largest_term,
                                                     bool above_one, DrawingContext& context) {
  RandomSource& random = context.random;
  FractionOfNumberQuestion q{};
  if (row.denominators.empty()) {
    q.b = random.Random(std::min(row.largest_denominator, largest_term) - 1) + 2;
  } else {
    q.b = row.denominators[static_cast<size_t>(
        random.Random(static_cast<int32_t>(row.denominators.size())))];
  }
  q.a = above_one ? q.b + 1 + random.Random(q.b - 1) : random.Random(q.b - 1) + 1;
  const int32_t part = random.Random(std::min(row.largest_part, largest_term) - 1) + 2;
  if (q.b > largest_term || context.gcd3(q.a, q.b, q.b) != 1 || q.b * part > kLargestNumber) {
    return std::nullopt;
  }
  q.n = q.b * part;
  q.result = q.a * part;
  return q;
}

}  // namespace

std::vector<FractionOfNumberQuestion> FractionOfNumberKind::Draw(
    int32_t largest_term, int32_t count, DrawingContext& context,
    const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const int32_t largest_denominator = std::min(largest_term, kLargestDenominator);
  const bool at_level = AtLevel(options);
  const PartRow& row = kRows[static_cast<size_t>(options.level)];
  // Of the positions left, as many ask for a fraction above 1 as are still
  // due: one in `above_one_in`, the odd one either way.
  int32_t above_left = at_level && row.above_one_in > 0 && count > 0
                           ? (count + random.Random(row.above_one_in)) / row.above_one_in
                           : 0;

  std::vector<FractionOfNumberQuestion> questions;
  for (int position = 0; position < count; ++position) {
    const bool above_one = above_left > 0 && random.Random(count - position) < above_left;
    above_left -= above_one ? 1 : 0;
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      FractionOfNumberQuestion q{};
      if (at_level) {
        const std::optional<FractionOfNumberQuestion> attempt =
            LevelAttempt(row, largest_term, above_one, context);
        if (!attempt) {
          continue;
        }
        q = *attempt;
      } else {
        q.a = random.Random(largest_denominator - 1) + 1;
        q.b = random.Random(largest_denominator - 1) + 2;
        const int32_t part = random.Random(largest_term - 1) + 2;
        if (q.a >= q.b || context.gcd3(q.a, q.b, q.b) != 1 || q.b * part > kLargestNumber) {
          continue;
        }
        q.n = q.b * part;
        q.result = q.a * part;
      }
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
