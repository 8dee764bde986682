#pragma once

#include "drawing/kinds/figures.h"
#include "pictures/line_images.h"

namespace fractions {

// Question `number` (1-based) of shaded figures: to read, "7°)", the
// hatched figures and an empty fraction after them, which the key fills
// with the fraction read ("6/8 = 3/4"); to shade, "7°)", the fraction asked
// and the figures, blank in the question, hatched in the key. Under two or
// three figures, "1 figure = 1 unité". Each picture is drawn on its own, as
// high as its figures, the figures the same size in both.
void ComposeLine(LineImages& images, int number, const FigureKind& kind, const FigureQuestion& q,
                 const ExerciseOptions& options = {});

// The worked key's pictures of question `number` in images.worked: the
// figures as the key shows them, then the chain from the fraction to the
// parts hatched, or from the parts read to the irreducible fraction.
void ComposeWorkedLine(LineImages& images, int number, const FigureKind& kind,
                       const FigureQuestion& q, const ExerciseOptions& options);

}  // namespace fractions
