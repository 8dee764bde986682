#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing_context.h"
#include "kind_parts.h"

namespace fractions {

// The operation of a four-operation exercise.
enum class Operation { kAdd, kSubtract, kMultiply, kDivide };

// a/b op c/d = num/den, the result irreducible with a positive denominator.
struct OperationQuestion {
  int32_t a, b, c, d;
  int32_t num, den;
  friend bool operator==(const OperationQuestion&, const OperationQuestion&) = default;
};

// Addition, subtraction, multiplication and division of two fractions:
// one drawing procedure and one line layout, told apart only by the
// operation their catalogue rows carry (its result formula, subtraction's
// refusal of negative results, its sign).
struct OperationKind {
  using Question = OperationQuestion;

  Operation operation;

  // Draws `count` distinct exercises a/b op c/d (terms 1..largest_term,
  // never both denominators 1) with their irreducible results below 1000;
  // subtraction results are never negative. Empties the question table
  // first and leaves the keys of the accepted questions in it.
  std::vector<OperationQuestion> Draw(int32_t largest_term, int32_t count,
                                      DrawingContext& context) const;
  // The numbers of the question's key, in its order: a, b, c, d. The
  // operation is not part of it.
  std::array<int32_t, 4> KeyNumbers(const OperationQuestion& q) const;
  QuestionFields Fields(const OperationQuestion& q) const;
  // "3/4 + 5/6 = 19/12"
  std::string Text(const OperationQuestion& q) const;
  // The text between the two operands of a line: " + ", " - ", " x " or " : ".
  std::string_view OperatorText() const;

  friend bool operator==(const OperationKind&, const OperationKind&) = default;
};

}  // namespace fractions
