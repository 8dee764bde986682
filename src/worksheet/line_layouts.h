#pragma once

#include "drawing/exercise_type.h"
#include "drawing/questions.h"
#include "line_image.h"

namespace fractions {

// The three off-screen images every exercise line is drawn in: the scratch
// picture of one operand, the answer line, and the question picture (the
// answer line's left part, which leaves the result out).
struct LineImages {
  LineImage quest;  // ImaQuest
  LineImage fract;  // ImaFract
  LineImage rep;    // ImaRep

  // Sizes the three images for a type of exercise; pictures drawn from then
  // on have these sizes.
  void SetSizesFor(ExerciseType type);
};

// Each composes question number `number` (1-based): the answer line in
// `images.rep` and the question picture in `images.quest`.
void ComposeOperationLine(LineImages& images, int number, ExerciseType operation,
                          const OperationQuestion& q);
void ComposePowerLine(LineImages& images, int number, const PowerQuestion& q);
void ComposeSimplificationLine(LineImages& images, int number, const SimplificationQuestion& q);
void ComposeCommonDenominatorLine(LineImages& images, int number,
                                  const CommonDenominatorQuestion& q);

}  // namespace fractions
