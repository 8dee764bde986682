#include "equal_fractions.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "level_rules.h"

namespace fractions {

namespace {

// The side without the gap, the side with it, and which term of the
// latter is missing (0 its numerator, 1 its denominator).
struct Sides {
  int32_t given_num, given_den;
  int32_t found_num, found_den;
  int32_t found_term;
};

Sides SidesOf(const EqualFractionsQuestion& q) {
  if (q.missing < 2) {
    return {q.c, q.d, q.a, q.b, q.missing};
  }
  return {q.a, q.b, q.c, q.d, q.missing - 2};
}

// num/den with its term `term` (0 the numerator, 1 the denominator) in
// bold, or left as a gap.
StepOperand Marked(int32_t num, int32_t den, int32_t term, bool gap) {
  StepOperand operand = FractionStep(num, den);
  StepFactor& factor = (term == 0 ? operand.num : operand.den).at(0).factors.at(0);
  (gap ? factor.gap : factor.bold) = true;
  return operand;
}

// The places of the missing terms of a sheet of `count`: each place as
// often as the others, give or take one, the places of the odd ones and
// the order drawn at random.
std::vector<int32_t> DealPlaces(int32_t count, RandomSource& random) {
  std::vector<int32_t> places;
  const int32_t start = random.Random(4);
  for (int32_t i = 0; i < count; ++i) {
    places.push_back((start + i) % 4);
  }
  for (int32_t i = count - 1; i > 0; --i) {
    std::swap(places[static_cast<size_t>(i)], places[static_cast<size_t>(random.Random(i + 1))]);
  }
  return places;
}

// What a class is set: the terms of the value's irreducible form at most
// `largest_irreducible_term` (and the largest term asked), every term of
// both sides at most `largest_side_term`, and how often the way from one
// side to the other goes through the irreducible form (6/8 = 9/12): never
// (0), or at most one question in `trip_one_in` of a sheet.
struct FillRow {
  int32_t largest_irreducible_term;
  int32_t largest_side_term;
  int32_t trip_one_in;
};

// Indexed by Level. "Libre" and 3e draw every equality of factors up to 10
// of a value up to twelfths. CM2 and 6e one side the other times a whole
// number, terms up to 12 and 20 (3/4 = 9/12); 5e terms up to 60, a third
// of the sheet at most through the irreducible form; 4e a value up to
// tenths, so that its terms stay within 100.
constexpr int32_t kTwelfths = EqualFractionsKind::kLargestIrreducibleTerm;
constexpr int32_t kAnyTerm = kTwelfths * EqualFractionsKind::kLargestFactor;
constexpr FillRow kRows[] = {
    {kTwelfths, kAnyTerm, 1}, {kTwelfths, 12, 0}, {kTwelfths, 20, 0},
    {kTwelfths, 60, 3},       {10, 100, 1},       {kTwelfths, kAnyTerm, 1},
};

bool ThroughIrreducible(int32_t left, int32_t right) {
  return left % right != 0 && right % left != 0;
}

}  // namespace

std::vector<EqualFractionsQuestion> EqualFractionsKind::Draw(int32_t largest_term, int32_t count,
                                                             DrawingContext& context,
                                                             const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const FillRow& row = kRows[static_cast<size_t>(options.level)];
  const int32_t largest = std::min(largest_term, row.largest_irreducible_term);
  const std::vector<int32_t> places = DealPlaces(std::max(count, 0), random);
  SheetShare trips(count, std::max(row.trip_one_in, 1));

  std::vector<EqualFractionsQuestion> questions;
  for (int position = 0; position < count; ++position) {
    try {
      for (AttemptBudget budget(position, count);; budget.Spend()) {
        const int32_t p = random.Random(largest) + 1;
        const int32_t q = random.Random(largest - 1) + 2;
        // The factors keep both sides within the row's terms: with each
        // value as likely, then each pair of factors.
        const int32_t factors = std::min(kLargestFactor, row.largest_side_term / std::max(p, q));
        if (factors < 2) {
          continue;
        }
        const int32_t left = random.Random(factors) + 1;
        const int32_t right = random.Random(factors) + 1;
        // Irreducible with q >= 2: not whole, and p = q is left out with it.
        if (context.gcd3(p, q, q) != 1 || left == right) {
          continue;
        }
        const bool trip = ThroughIrreducible(left, right);
        if (trip && (row.trip_one_in == 0 || !trips.Allows(true))) {
          continue;
        }
        const EqualFractionsQuestion question{p * left, q * left, p * right, q * right,
                                              places[static_cast<size_t>(position)]};
        if (!context.table.StoreIfNew(position, RepeatKey(question))) {
          continue;
        }
        trips.Add(trip);
        questions.push_back(question);
        break;
      }
    } catch (const TooFewQuestions&) {
      throw TooFewQuestions(trips.Available(position), count);
    }
  }
  return questions;
}

std::array<int32_t, 5> EqualFractionsKind::KeyNumbers(const EqualFractionsQuestion& q) const {
  return {q.a, q.b, q.c, q.d, q.missing};
}

std::string EqualFractionsKind::RepeatKey(const EqualFractionsQuestion& q) const {
  // The two sides in one order, the gap left out: 3/4 = ..../20 and
  // 15/.... = 3/4 are one question to a pupil.
  const bool swapped = std::pair(q.c, q.d) < std::pair(q.a, q.b);
  return swapped ? SeparatedKey(std::array<int32_t, 4>{q.c, q.d, q.a, q.b})
                 : SeparatedKey(std::array<int32_t, 4>{q.a, q.b, q.c, q.d});
}

QuestionFields EqualFractionsKind::Fields(const EqualFractionsQuestion& q,
                                          const ExerciseOptions& /*options*/) const {
  return {{{"a", q.a}, {"b", q.b}, {"c", q.c}, {"d", q.d}, {"missing", q.missing}}, {}};
}

std::string EqualFractionsKind::Text(const EqualFractionsQuestion& q,
                                     const ExerciseOptions& options) const {
  return Answer(q, options);
}

std::string EqualFractionsKind::Answer(const EqualFractionsQuestion& q,
                                       const ExerciseOptions& /*options*/) const {
  return FractionText(q.a, q.b) + " = " + FractionText(q.c, q.d);
}

StepExpression EqualFractionsKind::Equality(const EqualFractionsQuestion& q, bool answered) const {
  const bool gap = !answered;
  StepOperand left = q.missing < 2 ? Marked(q.a, q.b, q.missing, gap) : FractionStep(q.a, q.b);
  StepOperand right = q.missing < 2 ? FractionStep(q.c, q.d) : Marked(q.c, q.d, q.missing - 2, gap);
  return Binary(std::move(left), StepOperator::kEqual, std::move(right));
}

WorkedSteps EqualFractionsKind::Steps(const EqualFractionsQuestion& q,
                                      const ExerciseOptions& /*options*/) const {
  const Sides s = SidesOf(q);
  const int32_t given_factor = std::gcd(s.given_num, s.given_den);
  const int32_t found_factor = std::gcd(s.found_num, s.found_den);
  const int32_t p = s.given_num / given_factor;
  const int32_t r = s.given_den / given_factor;

  StepChain chain{Single(FractionStep(s.given_num, s.given_den))};
  if (found_factor % given_factor == 0) {  // 3/4 = (3×5)/(4×5)
    chain.push_back(Single(ExpandedStep(s.given_num, s.given_den, found_factor / given_factor)));
  } else if (given_factor % found_factor == 0) {  // 15/36 = (5×3)/(12×3)
    chain.push_back(Single(ExpandedStep(s.found_num, s.found_den, given_factor / found_factor)));
  } else {  // 6/8 = (3×2)/(4×2) = 3/4 = (3×3)/(4×3)
    chain.push_back(Single(ExpandedStep(p, r, given_factor)));
    chain.push_back(Single(FractionStep(p, r)));
    chain.push_back(Single(ExpandedStep(p, r, found_factor)));
  }
  chain.push_back(Single(Marked(s.found_num, s.found_den, s.found_term, false)));
  return {chain};
}

}  // namespace fractions
