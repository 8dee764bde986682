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

// What carries the exponent of a power question. The numbers are part of
// the question's key and of the command line's listing.
enum class PowerForm : int32_t {
  kWholeFraction = 1,    // (a/b)^n
  kNumeratorOnly = 2,    // a^n/b
  kDenominatorOnly = 3,  // a/b^n
};

// The question shows a and b with `form` and `exponent`; p/q is the
// result, irreducible with a positive denominator.
struct PowerQuestion {
  int32_t a, b;
  int32_t p, q;
  PowerForm form;
  int32_t exponent;
  friend bool operator==(const PowerQuestion&, const PowerQuestion&) = default;
};

// Powers: a fraction, or one of its terms, raised to a whole power.
struct PowerKind {
  using Question = PowerQuestion;

  static constexpr OptionUse kOptionUse{.mixed = true};

  // Draws `count` distinct power questions: a form (7 in 9 the whole
  // fraction, else the numerator or the denominator alone), terms, and an
  // exponent chosen from the size of the base so that results stay small.
  // At a level, terms within the largest term, exponents 2 to 4 (5 in 3e),
  // no (n/n)^k and no 1^k. Empties the question table first and leaves the
  // keys in it. No other option changes the draws.
  std::vector<PowerQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                  const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b, form, exponent.
  std::array<int32_t, 4> KeyNumbers(const PowerQuestion& q) const;
  QuestionFields Fields(const PowerQuestion& q, const ExerciseOptions& options) const;
  // "(3/4)^2 = 9/16", "3^2/4 = 9/4 = 2 + 1/4", "3/4^2 = 3/16"
  std::string Text(const PowerQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain: (a/b)^n = a^n/b^n = A/B, a fraction that
  // reduces being simplified before it is raised; a^n/b = A/b; a/b^n =
  // a/B; then the result simplified and, when asked, its mixed form.
  WorkedSteps Steps(const PowerQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const PowerKind&, const PowerKind&) = default;
};

// The exponent for a base of size s, for the table draws 0..17 of 20.
// Draws again from `random` for the small bases.
int32_t ExponentForBaseSize(int32_t base_size, RandomSource& random);

}  // namespace fractions
