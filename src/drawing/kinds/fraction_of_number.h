#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "kind_parts.h"

namespace fractions {

// a/b de n = result: a fraction of a whole number, n a multiple of b; a/b
// irreducible, below 1 but at the levels whose class takes fractions above
// 1 of a number.
struct FractionOfNumberQuestion {
  int32_t a, b;
  int32_t n;
  int32_t result;
  friend bool operator==(const FractionOfNumberQuestion&,
                         const FractionOfNumberQuestion&) = default;
};

// A fraction of a number, "3/4 de 28 = 21", as the textbooks of cycle 3
// and 6e set it: a share of a quantity, taken by dividing it into b parts
// and keeping a of them.
struct FractionOfNumberKind {
  using Question = FractionOfNumberQuestion;

  static constexpr OptionUse kOptionUse{};

  // Denominators stay this small whatever the largest term beyond it: a
  // share is halves to twelfths in the textbooks.
  static constexpr int32_t kLargestDenominator = 12;

  // Draws `count` distinct questions a/b de n: a/b irreducible and smaller
  // than 1 (b in 2..largest_term, at most kLargestDenominator), the part
  // n ÷ b in 2..largest_term, so
  // that with the smallest settings every division is in the tables, and n
  // at most 999. Each acceptable question is as likely. No option changes
  // the draw. Empties the question table first and leaves the keys in it.
  // Throws TooFewQuestions when the settings do not give `count`.
  //
  // At a level, what its class is set, within the largest term: in CM2 b
  // is 2, 3, 4, 5 or 10 and n ÷ b 2 to 10; in 6e b 2 to 10, n ÷ b to 12;
  // in 5e b to 12, n ÷ b to 20; in 4e the same with a quarter of the
  // sheet (the odd one drawn) above 1 and below 2, "5/4 de 36"; in 3e
  // also b to 20 and n ÷ b to 25.
  std::vector<FractionOfNumberQuestion> Draw(int32_t largest_term, int32_t count,
                                             DrawingContext& context,
                                             const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b, n.
  std::array<int32_t, 3> KeyNumbers(const FractionOfNumberQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey).
  std::string RepeatKey(const FractionOfNumberQuestion& q) const;
  QuestionFields Fields(const FractionOfNumberQuestion& q, const ExerciseOptions& options) const;
  // "3/4 de 28 = 21"
  std::string Text(const FractionOfNumberQuestion& q, const ExerciseOptions& options) const;
  // The key as printed after "=": "21".
  std::string Answer(const FractionOfNumberQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain: a/b de n = (n ÷ b) × a = k × a = result;
  // a unit fraction as a/b de n = n ÷ b = result.
  WorkedSteps Steps(const FractionOfNumberQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const FractionOfNumberKind&, const FractionOfNumberKind&) = default;
};

}  // namespace fractions
