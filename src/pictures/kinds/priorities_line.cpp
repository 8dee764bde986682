#include "priorities_line.h"

#include "pictures/expression_line.h"
#include "pictures/worked_lines.h"

namespace fractions {

void ComposeLine(LineImages& images, int number, const PriorityKind& kind,
                 const PriorityQuestion& q, const ExerciseOptions& options) {
  ComposeExpressionLine(images, number, kind.Steps(q, options).at(0).front(),
                        ResultExpressions(q.num, q.den, options), options.division_sign);
}

void ComposeWorkedLine(LineImages& images, int number, const PriorityKind& kind,
                       const PriorityQuestion& q, const ExerciseOptions& options) {
  AddNumberedChain(images, number, kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
