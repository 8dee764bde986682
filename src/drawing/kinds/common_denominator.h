#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing_context.h"
#include "kind_parts.h"

namespace fractions {

// a/b and c/d rewritten as p1/q1 and p2/q2 over the product of the reduced
// denominators (q1 == q2); the rewritten fractions are deliberately not
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

  // Draws `count` distinct pairs a/b and c/d (terms 1..largest_term) to put
  // over a common denominator: the product of the two denominators once
  // each fraction is reduced. Pairs of two whole numbers, the same fraction
  // twice, and results of 1000 or more are refused. Empties the question
  // table first and leaves the keys in it.
  std::vector<CommonDenominatorQuestion> Draw(int32_t largest_term, int32_t count,
                                              DrawingContext& context) const;
  // The numbers of the question's key, in its order: a, b, c, d.
  std::array<int32_t, 4> KeyNumbers(const CommonDenominatorQuestion& q) const;
  QuestionFields Fields(const CommonDenominatorQuestion& q) const;
  // "1/2 = 3/6 et 1/3 = 2/6"
  std::string Text(const CommonDenominatorQuestion& q) const;

  friend bool operator==(const CommonDenominatorKind&, const CommonDenominatorKind&) = default;
};

}  // namespace fractions
