#include "fraction_of_number_line.h"

#include "pictures/expression_line.h"
#include "pictures/worked_lines.h"

namespace fractions {

void ComposeLine(LineImages& images, int number, const FractionOfNumberKind& kind,
                 const FractionOfNumberQuestion& q, const ExerciseOptions& options) {
  ComposeExpressionLine(images, number, kind.Steps(q, options).at(0).front(),
                        ResultExpressions(q.result, 1, options), options.division_sign);
}

void ComposeWorkedLine(LineImages& images, int number, const FractionOfNumberKind& kind,
                       const FractionOfNumberQuestion& q, const ExerciseOptions& options) {
  AddNumberedChain(images, number, kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
