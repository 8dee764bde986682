#include "four_operations.h"

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace fractions {

namespace {

struct RawResult {
  int32_t num;
  int32_t den;
};

// With terms of at most 500 every product stays below 250,001 and every sum
// or difference within +-500,000: 32 bits suffice.
RawResult RawOperationResult(Operation operation, const OperationQuestion& q) {
  switch (operation) {
    case Operation::kAdd:
      return {q.a * q.d + q.b * q.c, q.b * q.d};
    case Operation::kSubtract:
      return {q.a * q.d - q.b * q.c, q.b * q.d};
    case Operation::kMultiply:
      return {q.a * q.c, q.b * q.d};
    case Operation::kDivide:
      return {q.a * q.d, q.b * q.c};
  }
  throw std::invalid_argument("not one of the four operations");
}

// The four terms in the order a, b, c, d (with related denominators, a,
// the pair b and d, c); then, with negative numbers, the sign of a and that
// of c. Without options these are the program's first four draws.
OperationQuestion DrawTerms(int32_t largest_term, const ExerciseOptions& options,
                            const std::optional<RelatedDenominators>& related,
                            RandomSource& random) {
  OperationQuestion q{};
  q.a = random.Random(largest_term) + 1;
  switch (options.denominators) {
    case DenominatorRule::kAny:
      q.b = random.Random(largest_term) + 1;
      q.c = random.Random(largest_term) + 1;
      q.d = random.Random(largest_term) + 1;
      break;
    case DenominatorRule::kSame:
      q.b = random.Random(largest_term - 1) + 2;
      q.c = random.Random(largest_term) + 1;
      q.d = q.b;
      break;
    case DenominatorRule::kMultiple:
      std::tie(q.b, q.d) = related.value().Draw(random);
      q.c = random.Random(largest_term) + 1;
      break;
  }
  if (options.negatives) {
    q.a = random.Random(2) == 1 ? -q.a : q.a;
    q.c = random.Random(2) == 1 ? -q.c : q.c;
  }
  return q;
}

}  // namespace

std::string_view OperationKind::OperatorText(const ExerciseOptions& options) const {
  switch (operation) {
    case Operation::kAdd:
      return " + ";
    case Operation::kSubtract:
      return " - ";
    case Operation::kMultiply:
      return " x ";
    case Operation::kDivide:
      return DivisionOperatorText(options.division_sign);
  }
  throw std::invalid_argument("not one of the four operations");
}

std::vector<OperationQuestion> OperationKind::Draw(int32_t largest_term, int32_t count,
                                                   DrawingContext& context,
                                                   const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  const bool negative_results = operation != Operation::kSubtract || used.negatives;
  std::optional<RelatedDenominators> related;
  if (used.denominators == DenominatorRule::kMultiple) {
    related.emplace(largest_term);
  }

  std::vector<OperationQuestion> questions;
  for (int position = 0; position < count; ++position) {
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      OperationQuestion q = DrawTerms(largest_term, used, related, context.random);
      if (q.b == 1 && q.d == 1) {
        continue;  // two whole numbers are no fraction exercise
      }
      RawResult raw = RawOperationResult(operation, q);
      if (raw.den < 0) {  // divided by a negative fraction
        raw = {-raw.num, -raw.den};
      }
      // A zero result reduces to 0/1, since Gcd3(0, den, den) is den.
      const int32_t g = context.gcd3(std::abs(raw.num), raw.den, raw.den);
      q.num = raw.num / g;
      q.den = raw.den / g;
      const bool acceptable =
          std::abs(q.num) < 1000 && q.den < 1000 && (negative_results || q.num >= 0);
      if (!acceptable || !context.table.StoreIfNew(position, QuestionKey(KeyNumbers(q)))) {
        continue;
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 4> OperationKind::KeyNumbers(const OperationQuestion& q) const {
  return {q.a, q.b, q.c, q.d};
}

QuestionFields OperationKind::Fields(const OperationQuestion& q,
                                     const ExerciseOptions& options) const {
  return {{{"a", q.a}, {"b", q.b}, {"c", q.c}, {"d", q.d}, {"num", q.num}, {"den", q.den}},
          MixedForm(options, q.num, q.den)};
}

std::string OperationKind::Text(const OperationQuestion& q, const ExerciseOptions& options) const {
  return FractionText(q.a, q.b) + std::string(OperatorText(options)) + OperandText(q.c, q.d) +
         " = " + ResultText(options, q.num, q.den);
}

}  // namespace fractions
