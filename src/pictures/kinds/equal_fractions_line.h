#pragma once

#include "drawing/kinds/equal_fractions.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of an equality to complete: "3/4 = ..../20"
// in ImaQuest, "3/4 = 15/20" with the found term in bold in ImaRep.
void ComposeLine(LineImages& images, int number, const EqualFractionsKind& kind,
                 const EqualFractionsQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked.
void ComposeWorkedLine(LineImages& images, int number, const EqualFractionsKind& kind,
                       const EqualFractionsQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
