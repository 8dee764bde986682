#pragma once

#include "drawing/kinds/powers.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a powers worksheet: sizes the images for
// this layout, draws the answer line "7°) (a/b)^n = p/q" in ImaRep and cuts
// the question picture, the line without its result, in ImaQuest. With
// mixed numbers, an improper result is followed by its mixed form.
void ComposeLine(LineImages& images, int number, const PowerKind& kind, const PowerQuestion& q,
                 const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked:
// the chain after the question number.
void ComposeWorkedLine(LineImages& images, int number, const PowerKind& kind,
                       const PowerQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
