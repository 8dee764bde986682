#pragma once

#include "drawing/kinds/four_operations.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a four-operation worksheet: sizes the
// images for this layout, draws the answer line "7°) a/b op c/d = r/s" in
// ImaRep and cuts the question picture, the line without its result, in
// ImaQuest. Negative numbers have a minus sign before them, a negative
// second operand parentheses; the division sign and the mixed form follow
// the options.
void ComposeLine(LineImages& images, int number, const OperationKind& kind,
                 const OperationQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked:
// the chain after the question number.
void ComposeWorkedLine(LineImages& images, int number, const OperationKind& kind,
                       const OperationQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
