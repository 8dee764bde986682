#pragma once

#include "drawing/kinds/four_operations.h"
#include "worksheet/line_images.h"

namespace fractions {

// Question `number` (1-based) of a four-operation worksheet: sizes the
// images for this layout, draws the answer line "7°) a/b op c/d = r/s" in
// ImaRep and cuts the question picture, the line without its result, in
// ImaQuest.
void ComposeLine(LineImages& images, int number, const OperationKind& kind,
                 const OperationQuestion& q);

}  // namespace fractions
