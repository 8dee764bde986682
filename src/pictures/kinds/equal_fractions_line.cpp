#include "equal_fractions_line.h"

#include "pictures/expression_line.h"

namespace fractions {

void ComposeLine(LineImages& images, int number, const EqualFractionsKind& kind,
                 const EqualFractionsQuestion& q, const ExerciseOptions& options) {
  ComposeSeparateLines(images, number, kind.Equality(q, false), kind.Equality(q, true),
                       options.division_sign);
}

void ComposeWorkedLine(LineImages& images, int number, const EqualFractionsKind& kind,
                       const EqualFractionsQuestion& q, const ExerciseOptions& options) {
  AddNumberedChains(images, number, kind.Steps(q, options), options.division_sign);
}

}  // namespace fractions
