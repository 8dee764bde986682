#include "simplification_line.h"

#include <optional>

#include "pictures/fraction_drawing.h"
#include "pictures/line_parts.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{53, kRowHeight, kFractionWidth, 80, kRowHeight};

}  // namespace

void ComposeLine(LineImages& images, int number, const SimplificationKind&,
                 const SimplificationQuestion& q, const ExerciseOptions& options) {
  const std::optional<MixedNumber> mixed = MixedForm(options, q.p, q.q);
  images.SetSizes(kSizes);
  images.Widen(0, MixedWidth(images, mixed));  // the answer line only
  StartLine(images, number);
  PlaceMixed(images, ComposeEqualityRow(images, 0, images.Scale()(7), q.a, q.b, q.p, q.q), mixed);
  CutQuestion(images);
}

void ComposeWorkedLine(LineImages& images, int number, const SimplificationKind& kind,
                       const SimplificationQuestion& q, const ExerciseOptions& options) {
  AddNumberedChain(images, number, kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
