#include "line_layouts.h"

#include <stdexcept>
#include <string>

#include "drawing/four_operations.h"
#include "fraction_drawing.h"

namespace fractions {

namespace {

constexpr int kSecondRowTop = 42;
constexpr const char* kOperationEquals = "  =  ";
constexpr const char* kEquals = " = ";

// The operand column: every line starts its first operand where a
// four-digit number would end, whatever the question number.
int OperandColumn(LineImage& image) {
  return image.TextWidth("1000");
}

void StartLine(LineImages& images, int number) {
  images.ImaRep.Clear();
  images.ImaQuest.Clear();
  images.ImaRep.TextOut(0, 6, std::to_string(number) + "\xB0)");  // "°)" in Windows-1252
}

// Draws a fraction in the scratch image and copies its 19 x 28 area to
// column x of the answer line, at row `top`.
void PlaceFraction(LineImages& images, int x, int top, int32_t num, int32_t den) {
  images.ImaFract.Clear();
  DrawFraction(images.ImaFract, num, den);
  images.ImaRep.CopyRect({x, top, x + kFractionWidth, top + kRowHeight}, images.ImaFract,
                         {0, 0, kFractionWidth, kRowHeight});
}

// The question picture: the answer line's leftmost columns, as wide and high
// as the question image.
void CutQuestion(LineImages& images) {
  const int width = images.ImaQuest.Width();
  const int height = images.ImaQuest.Height();
  images.ImaQuest.CopyRect({0, 0, width, height}, images.ImaRep, {0, 0, width, height});
}

// One row "a/b = p/q" of the simplification and common-denominator lines;
// the equals sign stands `equals_drop` pixels below the row's top.
void ComposeEqualityRow(LineImages& images, int top, int equals_drop, int32_t a, int32_t b,
                        int32_t p, int32_t q) {
  const int x0 = OperandColumn(images.ImaRep);
  PlaceFraction(images, x0, top, a, b);
  images.ImaRep.TextOut(x0 + kFractionWidth, top + equals_drop, kEquals);
  const int x1 = x0 + kFractionWidth + images.ImaRep.TextWidth(kEquals) + 2;
  PlaceFraction(images, x1, top, p, q);
}

}  // namespace

namespace {

// The sizes of the three images for one line layout.
struct ImageSizes {
  int quest_width, quest_height, fract_width, rep_width, rep_height;
};

ImageSizes SizesFor(ExerciseType type) {
  switch (type) {
    case ExerciseType::kAddition:
    case ExerciseType::kSubtraction:
    case ExerciseType::kMultiplication:
    case ExerciseType::kDivision:
      return {90, kRowHeight, kFractionWidth, 120, kRowHeight};
    case ExerciseType::kPowers:
      return {65, kRowHeight, kPowerWidth, 100, kRowHeight};
    case ExerciseType::kSimplification:
      return {53, kRowHeight, kFractionWidth, 80, kRowHeight};
    case ExerciseType::kCommonDenominator:
      return {53, 70, kFractionWidth, 77, 70};
  }
  throw std::invalid_argument("not an exercise type");
}

}  // namespace

void LineImages::SetSizesFor(ExerciseType type) {
  const ImageSizes s = SizesFor(type);
  ImaQuest.SetSize(s.quest_width, s.quest_height);
  ImaFract.SetSize(s.fract_width, kRowHeight);
  ImaRep.SetSize(s.rep_width, s.rep_height);
}

void ComposeOperationLine(LineImages& images, int number, ExerciseType operation,
                          const OperationQuestion& q) {
  StartLine(images, number);
  const std::string op(OperatorText(operation));
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

void ComposePowerLine(LineImages& images, int number, const PowerQuestion& q) {
  StartLine(images, number);
  images.ImaFract.Clear();
  DrawPowerFraction(images.ImaFract, q.a, q.b, q.form, q.exponent);
  const int x0 = OperandColumn(images.ImaRep);
  images.ImaRep.CopyRect({x0, 0, x0 + kPowerWidth, kRowHeight}, images.ImaFract,
                         {0, 0, kPowerWidth, kRowHeight});
  images.ImaRep.TextOut(x0 + kPowerWidth, 7, kEquals);
  const int x1 = x0 + kPowerWidth + images.ImaRep.TextWidth(kEquals) + 2;
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
  images.ImaRep.TextOut(8, 29, "et");
  // The second row's "=" stands higher in its row (2 below its top) than
  // the first row's (6 below).
  ComposeEqualityRow(images, kSecondRowTop, 2, q.c, q.d, q.p2, q.q2);
  CutQuestion(images);
}

}  // namespace fractions
