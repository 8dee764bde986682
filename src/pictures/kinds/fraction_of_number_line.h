#pragma once

#include "drawing/kinds/fraction_of_number.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a fraction of a number: the answer line in ImaRep,
// the question cut after its "=" in ImaQuest.
void ComposeLine(LineImages& images, int number, const FractionOfNumberKind& kind,
                 const FractionOfNumberQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const FractionOfNumberKind& kind,
                       const FractionOfNumberQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
