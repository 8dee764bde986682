#include "line_layouts.h"

// The line half of every kind's slice; each declares a ComposeLine for its
// kind, which the visit below finds by the kind's type.
#include "kinds/common_denominator_line.h"
#include "kinds/four_operations_line.h"
#include "kinds/powers_line.h"
#include "kinds/simplification_line.h"

namespace fractions {

void ComposeQuestionLine(LineImages& images, const QuestionSet& set, int number) {
  std::visit(
      [&](const auto& drawn) {
        ComposeLine(images, number, drawn.kind, drawn.questions.at(static_cast<size_t>(number - 1)),
                    drawn.options);
      },
      set);
}

}  // namespace fractions
