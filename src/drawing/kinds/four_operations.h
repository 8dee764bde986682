#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "kind_parts.h"

namespace fractions {

// The operation of a four-operation exercise.
enum class Operation { kAdd, kSubtract, kMultiply, kDivide };

// a/b op c/d = num/den, the result irreducible with a positive denominator.
// With negative numbers, a, c and num carry the signs.
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

  static constexpr OptionUse kOptionUse{
      .multiple_denominators = true, .same_denominators = true, .negatives = true, .mixed = true};

  Operation operation;

  // Draws `count` distinct exercises a/b op c/d (|terms| 1..largest_term,
  // never both denominators 1, the denominators related as the options
  // say) with their irreducible results within 999; without negative
  // numbers, subtraction results are never negative. At a level, no
  // operand n/n, no x - x, x + (-x) or x : (+-x), and at most one question
  // in ten with a whole-number operand. Empties the question
  // table first and leaves the keys of the accepted questions in it.
  // Throws TooFewQuestions when the settings do not give `count`.
  std::vector<OperationQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                      const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b, c, d, signed.
  // The operation is not part of it.
  std::array<int32_t, 4> KeyNumbers(const OperationQuestion& q) const;
  QuestionFields Fields(const OperationQuestion& q, const ExerciseOptions& options) const;
  // "3/4 + 5/6 = 19/12", "5/4 - (-2/3) = 23/12", "3/4 + 1 = 7/4 = 1 + 3/4"
  // (Windows-1252: the division sign may be "÷").
  std::string Text(const OperationQuestion& q, const ExerciseOptions& options) const;
  // The text between the two operands of a line: " + ", " - ", " x " (" × "
  // at a class level), and " : " or " ÷ " as the options say.
  std::string_view OperatorText(const ExerciseOptions& options = {}) const;
  // The worked key, one chain: a sum or a difference over the least common
  // multiple of the denominators, "(A + C)/L", then the result simplified;
  // a product's sign first and its terms without theirs, "−(a×c)/(b×d)",
  // then, when something cancels, the terms as products of factors that
  // show it, then the irreducible result; a division as the product by
  // the inverse. When asked, the mixed form last.
  WorkedSteps Steps(const OperationQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const OperationKind&, const OperationKind&) = default;
};

// A value as a calculation reaches it: num/den, den > 0, not always
// irreducible.
struct RawResult {
  int32_t num;
  int32_t den;
};

// The steps of one operation as the worked key writes them, appended to a
// chain that ends with the operation itself; each returns the value the
// last step written holds. The kinds that chain operations write each of
// theirs with these.
//
// a/b ± c/d = (a×k)/(b×k) ± (c×m)/(d×m) = A/L ± C/L, L the least common
// multiple of b and d, the first two steps left out when b = d; then
// (A ± C)/L = S/L. Returns S and L.
RawResult AppendSumSteps(StepChain& chain, const OperationQuestion& q, bool subtract);
// x/y × u/v, y and v positive: the sign of the product first, before the
// bar, and the terms without theirs, "−(14×25)/(15×21)"; when something
// cancels, the terms as products of factors that show it,
// "−(2×7×5×5)/(3×5×3×7)"; then the irreducible product, "−10/9". A whole
// number's denominator 1 is left out. The full products are never
// written: simplifying before multiplying keeps the numbers small. Returns
// the irreducible product.
RawResult AppendProductSteps(StepChain& chain, int32_t x, int32_t y, int32_t u, int32_t v);
// x/y ÷ u/v (u not 0) as the product by the inverse, its sign before the
// bar, "x/y × (−v/|u|)", then as a product. Returns the irreducible
// quotient.
RawResult AppendQuotientSteps(StepChain& chain, int32_t x, int32_t y, int32_t u, int32_t v);

}  // namespace fractions
