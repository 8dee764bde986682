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
  StartLine(images, number);
  const std::string op(kind.OperatorText());
  const int x0 = OperandColumn(images.ImaRep);
  PlaceFraction(images, x0, 0, q.a, q.b);
  images.ImaRep.TextOut(x0 + kFractionWidth, 7, op);
  const int x1 = x0 + kFractionWidth + images.ImaRep.TextWidth(op) + 2;
  PlaceFraction(images, x1, 0, q.c, q.d);
  images.ImaRep.TextOut(x1 + kFractionWidth, 7, kOperationEquals);
  // The result starts right of column 90, outside the question picture.
  const int x2 = x1 + kFractionWidth + images.ImaRep.TextWidth(kOperationEquals) + 2;
  PlaceFraction(images, x2, 0, q.num, q.den);
  CutQuestion(images);
}

}  // namespace fractions
