#include "four_operations_line.h"

#include <string>

#include "worksheet/fraction_drawing.h"
#include "worksheet/line_parts.h"

namespace fractions {

namespace {

constexpr int kQuestionWidth = 90;
constexpr int kAnswerWidth = 120;
constexpr const char* kOperationEquals = "  =  ";

}  // namespace

// Without options the line is the first layout's, to the pixel. A minus
// sign, parentheses or a wider division sign move everything after them
// right by the width they add, and the two pictures grow by as much, so
// that the question is still cut just after its "=" and the result never
// shows in it; a mixed form widens the answer line only.
void ComposeLine(LineImages& images, int number, const OperationKind& kind,
                 const OperationQuestion& q, const ExerciseOptions& options) {
  LineImage& rep = images.ImaRep;
  const std::string op(kind.OperatorText(options));
  const int first_width = OperandWidth(q.a, q.b, false);
  const int second_width = OperandWidth(q.c, q.d, true);
  const int result_width = OperandWidth(q.num, q.den, false);
  const std::optional<MixedNumber> mixed = MixedForm(options, q.num, q.den);
  const int shift = first_width - kFractionWidth + rep.TextWidth(op) -
                    rep.TextWidth(kind.OperatorText()) + second_width - kFractionWidth;
  const int answer_grows = result_width - kFractionWidth + MixedWidth(rep, mixed);
  images.SetSizes({kQuestionWidth + shift, kRowHeight, kFractionWidth,
                   kAnswerWidth + shift + answer_grows, kRowHeight});

  StartLine(images, number);
  const int x0 = OperandColumn(rep);
  PlaceOperand(images, x0, 0, q.a, q.b, false);
  rep.TextOut(x0 + first_width, 7, op);
  const int x1 = x0 + first_width + rep.TextWidth(op) + 2;
  PlaceOperand(images, x1, 0, q.c, q.d, true);
  rep.TextOut(x1 + second_width, 7, kOperationEquals);
  // The result starts right of the question picture's last column.
  const int x2 = x1 + second_width + rep.TextWidth(kOperationEquals) + 2;
  PlaceOperand(images, x2, 0, q.num, q.den, false);
  PlaceMixed(images, x2 + result_width, mixed);
  CutQuestion(images);
}

}  // namespace fractions
