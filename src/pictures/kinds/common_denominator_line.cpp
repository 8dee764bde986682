#include "common_denominator_line.h"

#include "pictures/fraction_drawing.h"
#include "pictures/line_parts.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{53, 70, kFractionWidth, 77, 70};
constexpr int kSecondRowTop = 42;
// Where the "et" before the second fraction starts.
constexpr int kEtColumn = 8;

}  // namespace

// No option changes the pictures: the least common denominator only gives
// other numbers.
void ComposeLine(LineImages& images, int number, const CommonDenominatorKind&,
                 const CommonDenominatorQuestion& q, const ExerciseOptions&) {
  images.SetSizes(kSizes);
  const LineScale s = images.Scale();
  StartLine(images, number);
  ComposeEqualityRow(images, 0, s(6), q.a, q.b, q.p1, q.q1);
  images.ImaRep.TextOut(s(kEtColumn), s(29), "et");
  // The second row's "=" stands higher in its row (2 below its top) than
  // the first row's (6 below).
  ComposeEqualityRow(images, s(kSecondRowTop), s(2), q.c, q.d, q.p2, q.q2);
  CutQuestion(images);
}

void ComposeWorkedLine(LineImages& images, int number, const CommonDenominatorKind& kind,
                       const CommonDenominatorQuestion& q, const ExerciseOptions& options) {
  const WorkedSteps steps = kind.Steps(q, options);
  AddNumberedChain(images, number, steps.at(0), options.division_sign);
  AddWorkedChain(images, images.Scale()(kEtColumn), "et", steps.at(1), options.division_sign);
}

}  // namespace fractions
