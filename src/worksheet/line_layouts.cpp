#include "line_layouts.h"

#include <string>

#include "drawing/four_operations.h"
#include "fraction_drawing.h"

namespace fractions {

namespace {

constexpr int kFractionWidth = 19;
constexpr int kPowerWidth = 41;
constexpr int kRowHeight = 28;
constexpr int kSecondRowTop = 42;
constexpr const char* kOperationEquals = "  =  ";
constexpr const char* kEquals = " = ";

// The operand column: every line starts its first operand where a
// four-digit number would end, whatever the question number.
int OperandColumn(LineImage& image) {
  return image.TextWidth("1000");
}

void StartLine(LineImages& images, int number) {
  images.rep.Clear();
  images.quest.Clear();
  images.rep.TextOut(0, 6, std::to_string(number) + "\xB0)");  // "°)" in Windows-1252
}

// Draws a fraction in the scratch image and copies its 19 x 28 area to
// column x of the answer line, at row `top`.
void PlaceFraction(LineImages& images, int x, int top, int32_t num, int32_t den) {
  images.fract.Clear();
  DrawFraction(images.fract, num, den);
  images.rep.CopyRect({x, top, x + kFractionWidth, top + kRowHeight}, images.fract,
                      {0, 0, kFractionWidth, kRowHeight});
}

// The question picture: the answer line's leftmost columns, as wide and high
// as the question image.
void CutQuestion(LineImages& images) {
  const int width = images.quest.Width();
  const int height = images.quest.Height();
  images.quest.CopyRect({0, 0, width, height}, images.rep, {0, 0, width, height});
}

// One row "a/b = p/q" of the simplification and common-denominator lines;
// the equals sign stands `equals_drop` pixels below the row's top.
void ComposeEqualityRow(LineImages& images, int top, int equals_drop, int32_t a, int32_t b,
                        int32_t p, int32_t q) {
  const int x0 = OperandColumn(images.rep);
  PlaceFraction(images, x0, top, a, b);
  images.rep.TextOut(x0 + kFractionWidth, top + equals_drop, kEquals);
  const int x1 = x0 + kFractionWidth + images.rep.TextWidth(kEquals) + 2;
  PlaceFraction(images, x1, top, p, q);
}

}  // namespace

void LineImages::SetSizesFor(ExerciseType type) {
  struct Sizes {
    int quest_w, quest_h, fract_w, rep_w, rep_h;
  };
  Sizes s{90, 28, 19, 120, 28};
  switch (type) {
    case ExerciseType::kPowers:
      s = {65, 28, 41, 100, 28};
      break;
    case ExerciseType::kSimplification:
      s = {53, 28, 19, 80, 28};
      break;
    case ExerciseType::kCommonDenominator:
      s = {53, 70, 19, 77, 70};
      break;
    default:
      break;
  }
  quest.SetSize(s.quest_w, s.quest_h);
  fract.SetSize(s.fract_w, kRowHeight);
  rep.SetSize(s.rep_w, s.rep_h);
}

void ComposeOperationLine(LineImages& images, int number, ExerciseType operation,
                          const OperationQuestion& q) {
  StartLine(images, number);
  const std::string op(OperatorText(operation));
  const int x0 = OperandColumn(images.rep);
  PlaceFraction(images, x0, 0, q.a, q.b);
  images.rep.TextOut(x0 + kFractionWidth, 7, op);
  const int x1 = x0 + kFractionWidth + images.rep.TextWidth(op) + 2;
  PlaceFraction(images, x1, 0, q.c, q.d);
  images.rep.TextOut(x1 + kFractionWidth, 7, kOperationEquals);
  // The result starts right of column 90, outside the question picture.
  const int x2 = x1 + kFractionWidth + images.rep.TextWidth(kOperationEquals) + 2;
  PlaceFraction(images, x2, 0, q.num, q.den);
  CutQuestion(images);
}

void ComposePowerLine(LineImages& images, int number, const PowerQuestion& q) {
  StartLine(images, number);
  images.fract.Clear();
  DrawPowerFraction(images.fract, q.a, q.b, q.form, q.exponent);
  const int x0 = OperandColumn(images.rep);
  images.rep.CopyRect({x0, 0, x0 + kPowerWidth, kRowHeight}, images.fract,
                      {0, 0, kPowerWidth, kRowHeight});
  images.rep.TextOut(x0 + kPowerWidth, 7, kEquals);
  const int x1 = x0 + kPowerWidth + images.rep.TextWidth(kEquals) + 2;
  PlaceFraction(images, x1, 0, q.p, q.q);
  CutQuestion(images);
}

void ComposeSimplificationLine(LineImages& images, int number, const SimplificationQuestion& q) {
  StartLine(images, number);
  ComposeEqualityRow(images, 0, 7, q.a, q.b, q.p, q.q);
  CutQuestion(images);
}

void ComposeCommonDenominatorLine(LineImages& images, int number,
                                  const CommonDenominatorQuestion& q) {
  StartLine(images, number);
  ComposeEqualityRow(images, 0, 6, q.a, q.b, q.p1, q.q1);
  images.rep.TextOut(8, 29, "et");
  // The second row's "=" stands 2 below its top where the first one's
  // stands 6 below: the pictures have always looked so.
  ComposeEqualityRow(images, kSecondRowTop, 2, q.c, q.d, q.p2, q.q2);
  CutQuestion(images);
}

}  // namespace fractions
