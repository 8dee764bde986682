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

}  // namespace

std::string_view OperationKind::OperatorText() const {
  switch (operation) {
    case Operation::kAdd:
      return " + ";
    case Operation::kSubtract:
      return " - ";
    case Operation::kMultiply:
      return " x ";
    case Operation::kDivide:
      return " : ";
  }
  throw std::invalid_argument("not one of the four operations");
}

std::vector<OperationQuestion> OperationKind::Draw(int32_t largest_term, int32_t count,
                                                   DrawingContext& context) const {
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;
  const bool subtraction = operation == Operation::kSubtract;

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

QuestionFields OperationKind::Fields(const OperationQuestion& q) const {
  return {{"a", q.a}, {"b", q.b}, {"c", q.c}, {"d", q.d}, {"num", q.num}, {"den", q.den}};
}

std::string OperationKind::Text(const OperationQuestion& q) const {
  return FractionText(q.a, q.b) + std::string(OperatorText()) + FractionText(q.c, q.d) + " = " +
         FractionText(q.num, q.den);
}

}  // namespace fractions
