#pragma once

#include "drawing/kinds/common_denominator.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a common-denominator worksheet: sizes the
// images for this layout, draws the two rows "7°) a/b = p1/q1", "et c/d =
// p2/q2" in ImaRep and cuts the question picture, the rows without their
// results, in ImaQuest.
void ComposeLine(LineImages& images, int number, const CommonDenominatorKind& kind,
                 const CommonDenominatorQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked:
// the first fraction's chain after the question number, the second's after "et".
void ComposeWorkedLine(LineImages& images, int number, const CommonDenominatorKind& kind,
                       const CommonDenominatorQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
