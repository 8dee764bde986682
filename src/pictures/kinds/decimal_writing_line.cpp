#include "decimal_writing_line.h"

#include "pictures/expression_line.h"
#include "pictures/worked_lines.h"

namespace fractions {

void ComposeLine(LineImages& images, int number, const DecimalWritingKind& kind,
                 const DecimalWritingQuestion& q, const ExerciseOptions& options) {
  const StepChain chain = kind.Steps(q, options).at(0);
  ComposeExpressionLine(images, number, chain.front(), {chain.back()}, options.division_sign);
}

void ComposeWorkedLine(LineImages& images, int number, const DecimalWritingKind& kind,
                       const DecimalWritingQuestion& q, const ExerciseOptions& options) {
  AddNumberedChain(images, number, kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
