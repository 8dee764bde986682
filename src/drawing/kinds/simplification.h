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

// a/b = p/q in lowest terms.
struct SimplificationQuestion {
  int32_t a, b;
  int32_t p, q;
  friend bool operator==(const SimplificationQuestion&, const SimplificationQuestion&) = default;
};

// Simplification: a fraction written in lowest terms.
struct SimplificationKind {
  using Question = SimplificationQuestion;

  static constexpr OptionUse kOptionUse{.mixed = true};

  // Draws `count` distinct fractions a/b (a in 1..largest_term, b in
  // 2..largest_term) to simplify, preferring reducible ones: up to six
  // fractions are drawn per attempt and the sixth is kept even if
  // irreducible. At a level, only fractions that reduce and are not n/n,
  // each as likely, and at most one in five with a whole result. Empties
  // the question table first and leaves the keys in it. Throws
  // TooFewQuestions when the settings do not give `count`.
  std::vector<SimplificationQuestion> Draw(int32_t largest_term, int32_t count,
                                           DrawingContext& context,
                                           const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b.
  std::array<int32_t, 2> KeyNumbers(const SimplificationQuestion& q) const;
  QuestionFields Fields(const SimplificationQuestion& q, const ExerciseOptions& options) const;
  // "12/18 = 2/3", "18/12 = 3/2 = 1 + 1/2"
  std::string Text(const SimplificationQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain: a/b = (p×g)/(q×g) = p/q, g the greatest
  // common divisor, or a/b = a/b marked irreducible; then, when asked, the
  // mixed form.
  WorkedSteps Steps(const SimplificationQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const SimplificationKind&, const SimplificationKind&) = default;
};

}  // namespace fractions
