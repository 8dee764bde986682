#include "common_denominator_line.h"

#include "worksheet/fraction_drawing.h"
#include "worksheet/line_parts.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{53, 70, kFractionWidth, 77, 70};
constexpr int kSecondRowTop = 42;

}  // namespace

// No option changes the pictures: the least common denominator only gives
// other numbers.
void ComposeLine(LineImages& images, int number, const CommonDenominatorKind&,
                 const CommonDenominatorQuestion& q, const ExerciseOptions&) {
  images.SetSizes(kSizes);
  const LineScale s = images.Scale();
  StartLine(images, number);
  ComposeEqualityRow(images, 0, s(6), q.a, q.b, q.p1, q.q1);
  images.ImaRep.TextOut(s(8), s(29), "et");
  // The second row's "=" stands higher in its row (2 below its top) than
  // the first row's (6 below).
  ComposeEqualityRow(images, s(kSecondRowTop), s(2), q.c, q.d, q.p2, q.q2);
  CutQuestion(images);
}

}  // namespace fractions
