#include "simplification.h"

#include <numeric>

#include "level_rules.h"
#include "step_parts.h"

namespace fractions {

namespace {

constexpr int kDrawsPerAttempt = 6;

// At a level, at most one fraction in five simplifies to a whole number.
constexpr int32_t kWholeResultsOneIn = 5;

// At a level a fraction is only set when simplifying it is work: it
// reduces, and it is not n/n.
bool SuitsLevel(int32_t a, int32_t b, int32_t g) {
  return g > 1 && a != b;
}

}  // namespace

std::vector<SimplificationQuestion> SimplificationKind::Draw(int32_t largest_term, int32_t count,
                                                             DrawingContext& context,
                                                             const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const bool at_level = AtLevel(options);
  SheetShare whole_results(count, kWholeResultsOneIn);

  std::vector<SimplificationQuestion> questions;
  try {
    for (int position = 0; position < count; ++position) {
      for (AttemptBudget budget(position, count);; budget.Spend()) {
        SimplificationQuestion q{};
        int32_t g = 1;
        if (at_level) {  // one fraction per attempt, kept only if it suits
          q.a = random.Random(largest_term) + 1;
          q.b = random.Random(largest_term - 1) + 2;
          g = context.gcd3(q.a, q.b, q.b);
          if (!SuitsLevel(q.a, q.b, g) || !whole_results.Allows(g == q.b)) {
            continue;
          }
        } else {
          for (int draws = 0; draws < kDrawsPerAttempt; ++draws) {
            q.a = random.Random(largest_term) + 1;
            q.b = random.Random(largest_term - 1) + 2;
            g = context.gcd3(q.a, q.b, q.b);
            if (g > 1) {
              break;
            }
          }
        }
        q.p = q.a / g;
        q.q = q.b / g;
        if (!context.table.StoreIfNew(position, QuestionKey(KeyNumbers(q)))) {
          continue;  // a duplicate: a fresh search, with six draws again
        }
        whole_results.Add(q.q == 1);
        questions.push_back(q);
        break;
      }
    }
  } catch (const TooFewQuestions&) {
    if (!at_level) {
      throw;
    }
    // Fewer whole results than were found can stand on a smaller sheet.
    throw TooFewQuestions(whole_results.Available(static_cast<int32_t>(questions.size())), count);
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
