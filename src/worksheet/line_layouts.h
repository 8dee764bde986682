#pragma once

#include "drawing/exercise_type.h"
#include "drawing/questions.h"
#include "line_image.h"

namespace fractions {

// The three off-screen images every exercise line is drawn in.
struct LineImages {
  LineImage ImaQuest;  // the question picture: the answer line without its result
  LineImage ImaFract;  // scratch picture of one operand
  LineImage ImaRep;    // the answer line

  // Sizes the three images for a type of exercise; pictures drawn from then
  // on have these sizes.
  void SetSizesFor(ExerciseType type);
};

// Each composes question number `number` (1-based): the answer line in
// ImaRep and the question picture in ImaQuest. Adding an exercise type
// means one more of these and its sizes in SetSizesFor.
void ComposeOperationLine(LineImages& images, int number, ExerciseType operation,
                          const OperationQuestion& q);
void ComposePowerLine(LineImages& images, int number, const PowerQuestion& q);
void ComposeSimplificationLine(LineImages& images, int number, const SimplificationQuestion& q);
void ComposeCommonDenominatorLine(LineImages& images, int number,
                                  const CommonDenominatorQuestion& q);

}  // namespace fractions
