#include "simplification_line.h"

#include "worksheet/fraction_drawing.h"
#include "worksheet/line_parts.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{53, kRowHeight, kFractionWidth, 80, kRowHeight};

}  // namespace

void ComposeLine(LineImages& images, int number, const SimplificationKind&,
                 const SimplificationQuestion& q, const ExerciseOptions& options) {
  const std::optional<MixedNumber> mixed = MixedForm(options, q.p, q.q);
  LineSizes sizes = kSizes;
  sizes.rep_width += MixedWidth(images.ImaRep, mixed);  // the answer line only
  images.SetSizes(sizes);
  StartLine(images, number);
  PlaceMixed(images, ComposeEqualityRow(images, 0, 7, q.a, q.b, q.p, q.q), mixed);
  CutQuestion(images);
}

}  // namespace fractions
