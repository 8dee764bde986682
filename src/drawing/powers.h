#pragma once

#include <vector>

#include "drawing_context.h"
#include "questions.h"

namespace fractions {

// Draws `count` distinct power questions: a form (7 in 9 the whole fraction,
// else the numerator or the denominator alone), terms, and an exponent chosen
// from the size of the base so that results stay small. Empties the question
// table first and leaves the keys (a, b, form, exponent) in it.
std::vector<PowerQuestion> DrawPowerQuestions(int32_t largest_term, int32_t count,
                                              DrawingContext& context);

// The exponent for a base of size s, for the table draws 0..17 of 20.
// Draws again from `random` for the small bases.
int32_t ExponentForBaseSize(int32_t base_size, RandomSource& random);

}  // namespace fractions
