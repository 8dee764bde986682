#pragma once

#include <vector>

#include "drawing_context.h"
#include "questions.h"

namespace fractions {

// Draws `count` distinct fractions a/b (a in 1..largest_term, b in
// 2..largest_term) to simplify, preferring reducible ones: up to six
// fractions are drawn per attempt and the sixth is kept even if irreducible.
// Empties the question table first and leaves the keys (a, b) in it.
std::vector<SimplificationQuestion> DrawSimplificationQuestions(int32_t largest_term, int32_t count,
                                                                DrawingContext& context);

}  // namespace fractions
