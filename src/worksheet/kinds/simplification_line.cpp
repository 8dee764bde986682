#include "simplification_line.h"

#include "worksheet/fraction_drawing.h"
#include "worksheet/line_parts.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{53, kRowHeight, kFractionWidth, 80, kRowHeight};

}  // namespace

void ComposeLine(LineImages& images, int number, const SimplificationKind&,
                 const SimplificationQuestion& q) {
  images.SetSizes(kSizes);
  StartLine(images, number);
  ComposeEqualityRow(images, 0, images.Scale()(7), q.a, q.b, q.p, q.q);
  CutQuestion(images);
}

}  // namespace fractions
