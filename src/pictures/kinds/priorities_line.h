#pragma once

#include "drawing/kinds/priorities.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a chain of two operations with priorities: the answer line in
// ImaRep, the question cut after its "=" in ImaQuest.
void ComposeLine(LineImages& images, int number, const PriorityKind& kind,
                 const PriorityQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const PriorityKind& kind,
                       const PriorityQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
