#pragma once

#include "drawing/kinds/number_lines.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of a graduated line: to read, "7°)" and the
// line with the points A, B, C on it and under it the room to write their
// abscissas, "A(……) ; B(……) ; C(……)", which the key fills, "A(3/4) ;
// B(5/4) ; C(2)"; to place, the line and the abscissas under it, the key
// adding the points. Within kMaxWorkedWidth at every print size, the
// ticks at least 4 mm apart.
void ComposeLine(LineImages& images, int number, const NumberLineKind& kind,
                 const NumberLineQuestion& q, const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked: the
// line with its points, then one chain per point, "A : 6/4 = ... = 3/2".
void ComposeWorkedLine(LineImages& images, int number, const NumberLineKind& kind,
                       const NumberLineQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
