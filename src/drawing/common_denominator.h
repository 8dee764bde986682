#pragma once

#include <vector>

#include "drawing_context.h"
#include "questions.h"

namespace fractions {

// Draws `count` distinct pairs a/b and c/d (terms 1..largest_term) to put over
// a common denominator: the product of the two denominators once each
// fraction is reduced. Pairs of two whole numbers, the same fraction twice,
// and results of 1000 or more are refused. Empties the question table first
// and leaves the keys (a, b, c, d) in it.
std::vector<CommonDenominatorQuestion> DrawCommonDenominatorQuestions(int32_t largest_term,
                                                                      int32_t count,
                                                                      DrawingContext& context);

}  // namespace fractions
