#include "four_operations_line.h"

#include <string>

#include "worksheet/fraction_drawing.h"
#include "worksheet/line_parts.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{90, kRowHeight, kFractionWidth, 120, kRowHeight};
constexpr const char* kOperationEquals = "  =  ";

}  // namespace

void ComposeLine(LineImages& images, int number, const OperationKind& kind,
                 const OperationQuestion& q) {
  images.SetSizes(kSizes);
  const LineScale s = images.Scale();
  const int width = FractionWidth(images);
  StartLine(images, number);
  const std::string op(kind.OperatorText());
  const int x0 = OperandColumn(images.ImaRep);
  PlaceFraction(images, x0, 0, q.a, q.b);
  images.ImaRep.TextOut(x0 + width, s(7), op);
  const int x1 = x0 + width + images.ImaRep.TextWidth(op) + s(2);
  PlaceFraction(images, x1, 0, q.c, q.d);
  images.ImaRep.TextOut(x1 + width, s(7), kOperationEquals);
  // The result starts right of column 90 (135 at 3:2), outside the
  // question picture.
  const int x2 = x1 + width + images.ImaRep.TextWidth(kOperationEquals) + s(2);
  PlaceFraction(images, x2, 0, q.num, q.den);
  CutQuestion(images);
}

}  // namespace fractions
