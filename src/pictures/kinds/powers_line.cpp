#include "powers_line.h"

#include <optional>

#include "pictures/fraction_drawing.h"
#include "pictures/line_parts.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

constexpr LineSizes kSizes{65, kRowHeight, kPowerWidth, 100, kRowHeight};

}  // namespace

void ComposeLine(LineImages& images, int number, const PowerKind&, const PowerQuestion& q,
                 const ExerciseOptions& options) {
  const std::optional<MixedNumber> mixed = MixedForm(options, q.p, q.q);
  images.SetSizes(kSizes);
  // At a class level the question ends with its "=" like every other kind's;
  // "Libre" keeps the first layout, cut just after the power.
  const int equals_width = options.level == Level::kFree ? 0 : images.ImaRep.TextWidth(kEquals);
  images.Widen(equals_width, MixedWidth(images, mixed));
  const LineScale s = images.Scale();
  const int width = s(kPowerWidth);
  const int height = s(kRowHeight);
  StartLine(images, number);
  images.ImaFract.Clear();
  DrawPowerFraction(images.ImaFract, q.a, q.b, q.form, q.exponent);
  const int x0 = OperandColumn(images.ImaRep);
  images.ImaRep.CopyRect({x0, 0, x0 + width, height}, images.ImaFract, {0, 0, width, height});
  images.ImaRep.TextOut(x0 + width, s(7), kEquals);
  const int x1 = x0 + width + images.ImaRep.TextWidth(kEquals) + s(2);
  PlaceFraction(images, x1, 0, q.p, q.q);
  PlaceMixed(images, x1 + FractionWidth(images), mixed);
  CutQuestion(images);
}

void ComposeWorkedLine(LineImages& images, int number, const PowerKind& kind,
                       const PowerQuestion& q, const ExerciseOptions& options) {
  AddNumberedChain(images, number, kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
