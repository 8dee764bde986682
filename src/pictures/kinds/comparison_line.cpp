#include "comparison_line.h"

#include "pictures/expression_line.h"

namespace fractions {

// "3/4 ..... 5/7" asks for "3/4 > 5/7": the key's comparison with dots for
// its sign.
void ComposeLine(LineImages& images, int number, const ComparisonKind& kind,
                 const ComparisonQuestion& q, const ExerciseOptions& options) {
  const StepExpression answer = Conclusion(kind.Steps(q, options).back().back());
  StepExpression question = answer;
  for (StepOperator& op : question.operators) {
    op = StepOperator::kGap;
  }
  ComposeSeparateLines(images, number, question, answer, options.division_sign);
}

void ComposeWorkedLine(LineImages& images, int number, const ComparisonKind& kind,
                       const ComparisonQuestion& q, const ExerciseOptions& options) {
  AddNumberedChains(images, number, kind.Steps(q, options), options.division_sign);
}

}  // namespace fractions
