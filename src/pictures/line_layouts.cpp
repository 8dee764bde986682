#include "line_layouts.h"

// The line half of every kind's slice; each declares a ComposeLine and a
// ComposeWorkedLine for its kind, which the visit below finds by the kind's
// type.
#include "kinds/common_denominator_line.h"
#include "kinds/comparison_line.h"
#include "kinds/decimal_writing_line.h"
#include "kinds/equal_fractions_line.h"
#include "kinds/figures_line.h"
#include "kinds/four_operations_line.h"
#include "kinds/fraction_of_number_line.h"
#include "kinds/number_lines_line.h"
#include "kinds/ordering_line.h"
#include "kinds/powers_line.h"
#include "kinds/priorities_line.h"
#include "kinds/simplification_line.h"

namespace fractions {

void ComposeQuestionLine(LineImages& images, const QuestionSet& set, int number) {
  images.worked.clear();
  std::visit(
      [&](const auto& drawn) {
        const auto& question = drawn.questions.at(static_cast<size_t>(number - 1));
        ComposeLine(images, number, drawn.kind, question, drawn.options);
        if (drawn.options.worked) {
          ComposeWorkedLine(images, number, drawn.kind, question, drawn.options);
        }
      },
      set);
}

}  // namespace fractions
