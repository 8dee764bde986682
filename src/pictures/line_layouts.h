#pragma once

#include "drawing/drawing_phase.h"
#include "line_images.h"

namespace fractions {

// Composes question `number` (1-based) of `set` with its kind's line
// layout: the answer line in ImaRep and the question picture in ImaQuest,
// the images sized for that layout; and, when the set's options ask for a
// worked key, its worked pictures in `worked` (emptied otherwise).
void ComposeQuestionLine(LineImages& images, const QuestionSet& set, int number);

}  // namespace fractions
