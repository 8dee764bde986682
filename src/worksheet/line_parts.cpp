#include "line_parts.h"

#include <string>

#include "fraction_drawing.h"

namespace fractions {

int OperandColumn(LineImage& image) {
  return image.TextWidth("1000");
}

void StartLine(LineImages& images, int number) {
  images.ImaRep.Clear();
  images.ImaQuest.Clear();
  images.ImaRep.TextOut(0, 6, std::to_string(number) + "\xB0)");  // "°)" in Windows-1252
}

void PlaceFraction(LineImages& images, int x, int top, int32_t num, int32_t den) {
  images.ImaFract.Clear();
  DrawFraction(images.ImaFract, num, den);
  images.ImaRep.CopyRect({x, top, x + kFractionWidth, top + kRowHeight}, images.ImaFract,
                         {0, 0, kFractionWidth, kRowHeight});
}

int PlaceOperand(LineImages& images, int x, int top, int32_t num, int32_t den, bool bracketed) {
  if (num >= 0) {
    PlaceFraction(images, x, top, num, den);
    return kFractionWidth;
  }
  const int width = OperandWidth(num, den, bracketed);
  // Wider than a fraction for this operand only; the next line sizes the
  // scratch image again.
  images.ImaFract.SetSize(width, kRowHeight);
  images.ImaFract.Clear();
  DrawOperand(images.ImaFract, num, den, bracketed);
  images.ImaRep.CopyRect({x, top, x + width, top + kRowHeight}, images.ImaFract,
                         {0, 0, width, kRowHeight});
  return width;
}

void CutQuestion(LineImages& images) {
  const int width = images.ImaQuest.Width();
  const int height = images.ImaQuest.Height();
  images.ImaQuest.CopyRect({0, 0, width, height}, images.ImaRep, {0, 0, width, height});
}

int ComposeEqualityRow(LineImages& images, int top, int equals_drop, int32_t a, int32_t b,
                       int32_t p, int32_t q) {
  const int x0 = OperandColumn(images.ImaRep);
  PlaceFraction(images, x0, top, a, b);
  images.ImaRep.TextOut(x0 + kFractionWidth, top + equals_drop, kEquals);
  const int x1 = x0 + kFractionWidth + images.ImaRep.TextWidth(kEquals) + 2;
  PlaceFraction(images, x1, top, p, q);
  return x1 + kFractionWidth;
}

namespace {

constexpr const char* kPlus = " + ";
// The texts of a mixed form stand where the line's other texts do.
constexpr int kMixedTextRow = 7;

}  // namespace

int MixedWidth(LineImage& image, const std::optional<MixedNumber>& mixed) {
  if (!mixed) {
    return 0;
  }
  return image.TextWidth(kEquals) + 2 + kFractionWidth + image.TextWidth(kPlus) + 2 +
         kFractionWidth;
}

void PlaceMixed(LineImages& images, int x, const std::optional<MixedNumber>& mixed) {
  if (!mixed) {
    return;
  }
  images.ImaRep.TextOut(x, kMixedTextRow, kEquals);
  const int whole = x + images.ImaRep.TextWidth(kEquals) + 2;
  PlaceFraction(images, whole, 0, mixed->whole, 1);
  images.ImaRep.TextOut(whole + kFractionWidth, kMixedTextRow, kPlus);
  const int rest = whole + kFractionWidth + images.ImaRep.TextWidth(kPlus) + 2;
  PlaceFraction(images, rest, 0, mixed->num, mixed->den);
}

}  // namespace fractions
