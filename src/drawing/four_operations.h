#pragma once

#include <string_view>
#include <vector>

#include "drawing_context.h"
#include "exercise_type.h"
#include "questions.h"

namespace fractions {

// Draws `count` distinct exercises a/b op c/d for one of the four operations
// (terms 1..largest_term, never both denominators 1) with their irreducible
// results below 1000; subtraction results are never negative. Empties the
// question table first and leaves the keys of the accepted questions in it.
std::vector<OperationQuestion> DrawOperationQuestions(ExerciseType operation, int32_t largest_term,
                                                      int32_t count, DrawingContext& context);

// The text between the two operands of a line: " + ", " - ", " x " or " : ".
std::string_view OperatorText(ExerciseType operation);

}  // namespace fractions
