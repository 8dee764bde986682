#include "ordering_line.h"

#include "pictures/expression_line.h"

namespace fractions {

// "3/4 ; 2/3 ; 5/6 ; 7/12" asks for "7/12 < 2/3 < 3/4 < 5/6".
void ComposeLine(LineImages& images, int number, const OrderingKind& kind,
                 const OrderingQuestion& q, const ExerciseOptions& options) {
  StepExpression question;
  for (size_t i = 0; i < q.num.size(); ++i) {
    if (i > 0) {
      question.operators.push_back(StepOperator::kList);
    }
    question.operands.push_back(FractionStep(q.num[i], q.den[i]));
  }
  const StepExpression answer = Conclusion(kind.Steps(q, options).back().back());
  ComposeSeparateLines(images, number, question, answer, options.division_sign);
}

void ComposeWorkedLine(LineImages& images, int number, const OrderingKind& kind,
                       const OrderingQuestion& q, const ExerciseOptions& options) {
  AddNumberedChains(images, number, kind.Steps(q, options), options.division_sign);
}

}  // namespace fractions
