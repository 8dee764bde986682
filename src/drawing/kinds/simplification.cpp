#include "simplification.h"

#include <numeric>

#include "step_parts.h"

namespace fractions {

namespace {

constexpr int kDrawsPerAttempt = 6;

}  // namespace

std::vector<SimplificationQuestion> SimplificationKind::Draw(int32_t largest_term, int32_t count,
                                                             DrawingContext& context,
                                                             const ExerciseOptions&) const {
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;

  std::vector<SimplificationQuestion> questions;
  for (int position = 0; position < count; ++position) {
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      SimplificationQuestion q{};
      int32_t g = 1;
      for (int draws = 0; draws < kDrawsPerAttempt; ++draws) {
        q.a = random.Random(largest_term) + 1;
        q.b = random.Random(largest_term - 1) + 2;
        g = context.gcd3(q.a, q.b, q.b);
        if (g > 1) {
          break;
        }
      }
      q.p = q.a / g;
      q.q = q.b / g;
      if (!context.table.StoreIfNew(position, QuestionKey(KeyNumbers(q)))) {
        continue;  // a duplicate: a fresh search, with six draws again
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 2> SimplificationKind::KeyNumbers(const SimplificationQuestion& q) const {
  return {q.a, q.b};
}

QuestionFields SimplificationKind::Fields(const SimplificationQuestion& q,
                                          const ExerciseOptions& options) const {
  return {{{"a", q.a}, {"b", q.b}, {"num", q.p}, {"den", q.q}}, MixedForm(options, q.p, q.q)};
}

WorkedSteps SimplificationKind::Steps(const SimplificationQuestion& q,
                                      const ExerciseOptions& options) const {
  StepChain chain{Single(FractionStep(q.a, q.b))};
  if (std::gcd(q.a, q.b) == 1) {
    StepExpression irreducible = Single(FractionStep(q.a, q.b));
    irreducible.irreducible = true;
    chain.push_back(irreducible);
  }
  AppendResult(chain, q.a, q.b, options);
  return {chain};
}

std::string SimplificationKind::Text(const SimplificationQuestion& q,
                                     const ExerciseOptions& options) const {
  return FractionText(q.a, q.b) + " = " + ResultText(options, q.p, q.q);
}

}  // namespace fractions
