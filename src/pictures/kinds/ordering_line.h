#pragma once

#include "drawing/kinds/ordering.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of the ordering of four fractions: the question in ImaQuest,
// the answer line in ImaRep, each drawn on its own.
void ComposeLine(LineImages& images, int number, const OrderingKind& kind, const OrderingQuestion& q,
                 const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const OrderingKind& kind, const OrderingQuestion& q,
                       const ExerciseOptions& options);

}  // namespace fractions
