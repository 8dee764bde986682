#include "common_denominator.h"

#include <numeric>
#include <optional>
#include <tuple>
#include <utility>

#include "level_rules.h"

namespace fractions {

namespace {

StepChain RowSteps(int32_t num, int32_t den, int32_t common) {
  StepChain chain{Single(FractionStep(num, den))};
  const int32_t g = std::gcd(num, den);
  const int32_t reduced_num = num / g;
  const int32_t reduced_den = den / g;
  if (g > 1) {
    chain.push_back(Single(FractionStep(reduced_num, reduced_den)));
  }
  const int32_t k = common / reduced_den;
  if (k > 1) {
    chain.push_back(Single(ExpandedStep(reduced_num, reduced_den, k)));
    chain.push_back(Single(FractionStep(reduced_num * k, common)));
  }
  // One fraction alone when it is over the common denominator already.
  return WithoutRepeats(std::move(chain));
}

// At a level, at most one question in ten has a whole number among its
// fractions.
constexpr int32_t kWholeOperandsOneIn = 10;

// At a level a pair is only set when putting it over one denominator is
// work: neither fraction is n/n, and the two are not over one denominator
// already, as written (b = d) or once simplified (b1 = d1: 2/4 and 3/2 are
// 1/2 and 3/2).
bool SuitsLevel(const CommonDenominatorQuestion& q, int32_t b1, int32_t d1) {
  return q.a != q.b && q.c != q.d && q.b != q.d && b1 != d1;
}

bool Acceptable(const CommonDenominatorQuestion& q) {
  return q.p1 < 1000 && q.q1 < 1000 && q.p2 < 1000 && q.q2 < 1000 && !(q.q1 == 1 && q.q2 == 1);
}

}  // namespace

std::vector<CommonDenominatorQuestion> CommonDenominatorKind::Draw(
    int32_t largest_term, int32_t count, DrawingContext& context,
    const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  std::optional<RelatedDenominators> related;
  if (used.denominators == DenominatorRule::kMultiple) {
    related.emplace(largest_term);
  }

  const bool at_level = AtLevel(used);
  SheetShare whole_operands(count, kWholeOperandsOneIn);

  std::vector<CommonDenominatorQuestion> questions;
  try {
    for (int position = 0; position < count; ++position) {
      for (AttemptBudget budget(position, count);; budget.Spend()) {
        CommonDenominatorQuestion q{};
        q.a = random.Random(largest_term) + 1;
        if (related) {  // a, the pair b and d, c
          std::tie(q.b, q.d) = related->Draw(random);
          q.c = random.Random(largest_term) + 1;
        } else {
          q.b = random.Random(largest_term) + 1;
          q.c = random.Random(largest_term) + 1;
          q.d = random.Random(largest_term) + 1;
        }
        if ((q.b == 1 && q.d == 1) || (q.a == q.c && q.b == q.d)) {
          continue;  // two whole numbers, or the same fraction twice
        }
        const int32_t g1 = context.gcd3(q.a, q.b, q.b);
        const int32_t g2 = context.gcd3(q.c, q.d, q.d);
        const int32_t a1 = q.a / g1;
        const int32_t b1 = q.b / g1;
        const int32_t c1 = q.c / g2;
        const int32_t d1 = q.d / g2;
        const bool whole_operand = q.b == 1 || q.d == 1;
        if (at_level && (!SuitsLevel(q, b1, d1) || !whole_operands.Allows(whole_operand))) {
          continue;
        }
        // By default equal or related denominators are still multiplied, not
        // merged into their least common multiple: 1/3 and 2/3 become 3/9 and
        // 6/9.
        const int32_t common = used.least_common_denominator ? std::lcm(b1, d1) : b1 * d1;
        q.q1 = common;
        q.p1 = a1 * (common / b1);
        q.p2 = c1 * (common / d1);
        q.q2 = common;
        if (!Acceptable(q) || !context.table.StoreIfNew(position, QuestionKey(KeyNumbers(q)))) {
          continue;
        }
        whole_operands.Add(whole_operand);
        questions.push_back(q);
        break;
      }
    }
  } catch (const TooFewQuestions&) {
    if (!at_level) {
      throw;
    }
    throw TooFewQuestions(whole_operands.Available(static_cast<int32_t>(questions.size())), count);
  }
  return questions;
}

std::array<int32_t, 4> CommonDenominatorKind::KeyNumbers(const CommonDenominatorQuestion& q) const {
  return {q.a, q.b, q.c, q.d};
}

QuestionFields CommonDenominatorKind::Fields(const CommonDenominatorQuestion& q,
                                             const ExerciseOptions&) const {
  return {{{"a", q.a},
           {"b", q.b},
           {"c", q.c},
           {"d", q.d},
           {"p1", q.p1},
           {"q1", q.q1},
           {"p2", q.p2},
           {"q2", q.q2}},
          std::nullopt};
}

WorkedSteps CommonDenominatorKind::Steps(const CommonDenominatorQuestion& q,
                                         const ExerciseOptions&) const {
  return {RowSteps(q.a, q.b, q.q1), RowSteps(q.c, q.d, q.q2)};
}

std::string CommonDenominatorKind::Text(const CommonDenominatorQuestion& q,
                                        const ExerciseOptions&) const {
  return FractionText(q.a, q.b) + " = " + FractionText(q.p1, q.q1) + " et " +
         FractionText(q.c, q.d) + " = " + FractionText(q.p2, q.q2);
}

}  // namespace fractions
