#include "four_operations.h"

#include <cstdlib>
#include <stdexcept>

namespace fractions {

namespace {

struct RawResult {
  int32_t num;
  int32_t den;
};

// With terms of at most 500 every product stays below 250,001 and every sum
// or difference within +-500,000: 32 bits suffice.
RawResult RawOperationResult(ExerciseType operation, const OperationQuestion& q) {
  switch (operation) {
    case ExerciseType::kAddition:
      return {q.a * q.d + q.b * q.c, q.b * q.d};
    case ExerciseType::kSubtraction:
      return {q.a * q.d - q.b * q.c, q.b * q.d};
    case ExerciseType::kMultiplication:
      return {q.a * q.c, q.b * q.d};
    case ExerciseType::kDivision:
      return {q.a * q.d, q.b * q.c};
    case ExerciseType::kPowers:
    case ExerciseType::kSimplification:
    case ExerciseType::kCommonDenominator:
      break;
  }
  throw std::invalid_argument("not one of the four operations");
}

}  // namespace

std::string_view OperatorText(ExerciseType operation) {
  switch (operation) {
    case ExerciseType::kAddition:
      return " + ";
    case ExerciseType::kSubtraction:
      return " - ";
    case ExerciseType::kMultiplication:
      return " x ";
    case ExerciseType::kDivision:
      return " : ";
    case ExerciseType::kPowers:
    case ExerciseType::kSimplification:
    case ExerciseType::kCommonDenominator:
      break;
  }
  throw std::invalid_argument("not one of the four operations");
}

std::vector<OperationQuestion> DrawOperationQuestions(ExerciseType operation, int32_t largest_term,
                                                      int32_t count, DrawingContext& context) {
  if (!IsFourOperation(operation)) {
    throw std::invalid_argument("not one of the four operations");
  }
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;
  const bool subtraction = operation == ExerciseType::kSubtraction;

  std::vector<OperationQuestion> questions;
  for (int position = 0; position < count; ++position) {
    for (;;) {
      OperationQuestion q{};
      q.a = random.Random(largest_term) + 1;
      q.b = random.Random(largest_term) + 1;
      q.c = random.Random(largest_term) + 1;
      q.d = random.Random(largest_term) + 1;
      if (q.b == 1 && q.d == 1) {
        continue;  // two whole numbers are no fraction exercise
      }
      const RawResult raw = RawOperationResult(operation, q);
      // A zero difference reduces to 0/1, since Gcd3(0, den, den) is den.
      const int32_t g = context.gcd3(subtraction ? std::abs(raw.num) : raw.num, raw.den, raw.den);
      q.num = raw.num / g;
      q.den = raw.den / g;
      const bool acceptable = q.num < 1000 && q.den < 1000 && !(subtraction && q.num < 0);
      if (!acceptable || !context.table.StoreIfNew(position, FourTermKey(q.a, q.b, q.c, q.d))) {
        continue;
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

}  // namespace fractions
