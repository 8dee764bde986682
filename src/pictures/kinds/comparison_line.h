#pragma once

#include "drawing/kinds/comparison.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a comparison of two fractions: the question in ImaQuest,
// the answer line in ImaRep, each drawn on its own.
void ComposeLine(LineImages& images, int number, const ComparisonKind& kind, const ComparisonQuestion& q,
                 const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const ComparisonKind& kind, const ComparisonQuestion& q,
                       const ExerciseOptions& options);

}  // namespace fractions
