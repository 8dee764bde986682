#pragma once

#include "drawing/kinds/decimal_writing.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a decimal writing: the answer line in ImaRep,
// the question cut after its "=" in ImaQuest.
void ComposeLine(LineImages& images, int number, const DecimalWritingKind& kind,
                 const DecimalWritingQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const DecimalWritingKind& kind,
                       const DecimalWritingQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
