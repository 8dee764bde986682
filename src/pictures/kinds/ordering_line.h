#pragma once

#include "drawing/kinds/ordering.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of the ordering of four fractions: the list
// and four slots joined by "<" in ImaQuest, the same line with the four in
// increasing order in the slots in ImaRep.
void ComposeLine(LineImages& images, int number, const OrderingKind& kind,
                 const OrderingQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const OrderingKind& kind,
                       const OrderingQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
