#include "four_operations_line.h"

#include <optional>
#include <string>

#include "pictures/fraction_drawing.h"
#include "pictures/line_parts.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{90, kRowHeight, kFractionWidth, 120, kRowHeight};
constexpr const char* kOperationEquals = "  =  ";

}  // namespace

// Without options the line is the first layout's, to the pixel. A minus
// sign, parentheses or a wider division sign move everything after them
// right by the width they add, and the two pictures grow by as much, so
// that the question is still cut just after its "=" and the result never
// shows in it; a mixed form widens the answer line only.
void ComposeLine(LineImages& images, int number, const OperationKind& kind,
                 const OperationQuestion& q, const ExerciseOptions& options) {
  const LineScale s = images.Scale();
  LineImage& rep = images.ImaRep;
  const int width = FractionWidth(images);
  const std::string op(kind.OperatorText(options));
  const int first_width = OperandWidth(s, q.a, q.b, false);
  const int second_width = OperandWidth(s, q.c, q.d, true);
  const int result_width = OperandWidth(s, q.num, q.den, false);
  const std::optional<MixedNumber> mixed = MixedForm(options, q.num, q.den);
  images.SetSizes(kSizes);
  const int shift = first_width - width + rep.TextWidth(op) - rep.TextWidth(kind.OperatorText()) +
                    second_width - width;
  images.Widen(shift, shift + result_width - width + MixedWidth(images, mixed));

  StartLine(images, number);
  const int x0 = OperandColumn(rep);
  PlaceOperand(images, x0, 0, q.a, q.b, false);
  rep.TextOut(x0 + first_width, s(7), op);
  const int x1 = x0 + first_width + rep.TextWidth(op) + s(2);
  PlaceOperand(images, x1, 0, q.c, q.d, true);
  rep.TextOut(x1 + second_width, s(7), kOperationEquals);
  // The result starts right of the question picture's last column (90, or
  // 135 at 3:2, without signs).
  const int x2 = x1 + second_width + rep.TextWidth(kOperationEquals) + s(2);
  PlaceOperand(images, x2, 0, q.num, q.den, false);
  PlaceMixed(images, x2 + result_width, mixed);
  CutQuestion(images);
}

void ComposeWorkedLine(LineImages& images, int number, const OperationKind& kind,
                       const OperationQuestion& q, const ExerciseOptions& options) {
  AddNumberedChain(images, number, kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
