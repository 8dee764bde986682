#include "ordering_line.h"

#include <algorithm>
#include <string>

#include "pictures/expression_line.h"
#include "pictures/line_parts.h"
#include "pictures/step_drawing.h"

namespace fractions {

namespace {

// A slot leaves a pupil room for a fraction written by hand, 10 mm, or for
// the widest of the four as the key draws it.
constexpr int kSlotWidth = 38;
// Blank columns between the list and the slots, and after the last slot.
constexpr int kListGap = 24;
constexpr int kRightMargin = 2;
constexpr std::u16string_view kLess = u" < ";

// As many dots as fit `width`.
std::u16string Dots(LineScale s, int width) {
  std::u16string dots = u".";
  while (LineWordWidth(s, dots + u".") <= width) {
    dots += u'.';
  }
  return dots;
}

}  // namespace

// "3/4 ; 2/3 ; 5/6 ; 7/12   ...... < ...... < ...... < ......" asks for
// the four in increasing order; the key's line fills the slots, each
// fraction in the middle of its slot: "7/12 < 2/3 < 3/4 < 5/6".
void ComposeLine(LineImages& images, int number, const OrderingKind& kind,
                 const OrderingQuestion& q, const ExerciseOptions& options) {
  const LineScale s = images.Scale();
  const DivisionSign sign = options.division_sign;
  StepExpression list;
  for (size_t i = 0; i < q.num.size(); ++i) {
    if (i > 0) {
      list.operators.push_back(StepOperator::kList);
    }
    list.operands.push_back(FractionStep(q.num[i], q.den[i]));
  }
  const StepExpression increasing = Conclusion(kind.Steps(q, options).back().back());
  int slot = s(kSlotWidth);
  for (const StepOperand& fraction : increasing.operands) {
    slot = std::max(slot, ExpressionWidth(s, Single(fraction), sign) + s(4));
  }
  const int less = LineWordWidth(s, kLess) + s(2);
  const int first_x = LineWordWidth(s, u"1000");
  const int slots_x = first_x + ExpressionWidth(s, list, sign) + s(kListGap);
  const int slot_count = static_cast<int>(increasing.operands.size());
  const int end = slots_x + slot_count * slot + (slot_count - 1) * less + s(kRightMargin);
  images.SetSizes({0, kRowHeight, kFractionWidth, 0, kRowHeight});
  images.Widen(end, end);
  StartLine(images, number);
  images.ImaQuest.TextOut(0, s(6), std::to_string(number) + "\xB0)");  // "°)", as StartLine
  DrawExpression(images.ImaQuest, first_x, list, sign);
  DrawExpression(images.ImaRep, first_x, list, sign);
  const std::u16string dots = Dots(s, slot - s(4));
  for (int k = 0; k < slot_count; ++k) {
    const int x = slots_x + k * (slot + less);
    if (k > 0) {
      DrawLineWord(images.ImaQuest, x - less, kLess);
      DrawLineWord(images.ImaRep, x - less, kLess);
    }
    DrawLineWord(images.ImaQuest, x + (slot - LineWordWidth(s, dots)) / 2, dots);
    const StepExpression fraction = Single(increasing.operands[static_cast<size_t>(k)]);
    DrawExpression(images.ImaRep, x + (slot - ExpressionWidth(s, fraction, sign)) / 2, fraction,
                   sign);
  }
}

void ComposeWorkedLine(LineImages& images, int number, const OrderingKind& kind,
                       const OrderingQuestion& q, const ExerciseOptions& options) {
  AddNumberedChains(images, number, kind.Steps(q, options), options.division_sign);
}

}  // namespace fractions
