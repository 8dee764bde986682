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

// a/b and c/d rewritten as p1/q1 and p2/q2 over one denominator (q1 == q2):
// the product of the reduced denominators, or their least common multiple
// when the options ask for it; the rewritten fractions are deliberately not
// reduced.
struct CommonDenominatorQuestion {
  int32_t a, b, c, d;
  int32_t p1, q1, p2, q2;
  friend bool operator==(const CommonDenominatorQuestion&,
                         const CommonDenominatorQuestion&) = default;
};

// Reduction to a common denominator: two fractions rewritten over one
// denominator.
struct CommonDenominatorKind {
  using Question = CommonDenominatorQuestion;

  // Equal denominators would leave nothing to do.
  static constexpr OptionUse kOptionUse{.multiple_denominators = true,
                                        .least_common_denominator = true};

  // Draws `count` distinct pairs a/b and c/d (terms 1..largest_term, the
  // denominators related as the options say) to put over a common
  // denominator: the product of the two denominators once each fraction is
  // reduced, or their least common multiple. Pairs of two whole numbers,
  // the same fraction twice, and results of 1000 or more are refused; at a
  // level, also n/n, two fractions over one denominator already, and more
  // than one question in ten with a whole number.
  // Empties the question table first and leaves the keys in it. Throws
  // TooFewQuestions when the settings do not give `count`.
  std::vector<CommonDenominatorQuestion> Draw(int32_t largest_term, int32_t count,
                                              DrawingContext& context,
                                              const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b, c, d.
  std::array<int32_t, 4> KeyNumbers(const CommonDenominatorQuestion& q) const;
  QuestionFields Fields(const CommonDenominatorQuestion& q, const ExerciseOptions& options) const;
  // "1/2 = 3/6 et 1/3 = 2/6"
  std::string Text(const CommonDenominatorQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain per fraction: a/b = (a'×k)/(b'×k) = p1/q1,
  // a'/b' the fraction reduced (shown first, a/b = a'/b', when it reduces)
  // and k = q1/b'; a fraction over q1 already is written alone, as it is.
  WorkedSteps Steps(const CommonDenominatorQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const CommonDenominatorKind&, const CommonDenominatorKind&) = default;
};

}  // namespace fractions
