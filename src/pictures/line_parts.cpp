#include "line_parts.h"

#include <string>

#include "fraction_drawing.h"

namespace fractions {

int OperandColumn(LineImage& image) {
  return image.TextWidth("1000");
}

int FractionWidth(const LineImages& images) {
  return images.Scale()(kFractionWidth);
}

void StartLine(LineImages& images, int number) {
  images.ImaRep.Clear();
  images.ImaQuest.Clear();
  images.ImaRep.TextOut(0, images.Scale()(6), std::to_string(number) + "\xB0)");  // "°)"
}

void PlaceFraction(LineImages& images, int x, int top, int32_t num, int32_t den) {
  const int width = FractionWidth(images);
  const int height = images.Scale()(kRowHeight);
  images.ImaFract.Clear();
  DrawFraction(images.ImaFract, num, den);
  images.ImaRep.CopyRect({x, top, x + width, top + height}, images.ImaFract, {0, 0, width, height});
}

int PlaceOperand(LineImages& images, int x, int top, int32_t num, int32_t den, bool bracketed) {
  if (num >= 0) {
    PlaceFraction(images, x, top, num, den);
    return FractionWidth(images);
  }
  const int width = OperandWidth(images.Scale(), num, den, bracketed);
  const int height = images.Scale()(kRowHeight);
  // Wider than a fraction for this operand only; the next line sizes the
  // scratch image again.
  images.ImaFract.SetSize(width, height);
  images.ImaFract.Clear();
  DrawOperand(images.ImaFract, num, den, bracketed);
  images.ImaRep.CopyRect({x, top, x + width, top + height}, images.ImaFract, {0, 0, width, height});
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
  const int width = FractionWidth(images);
  PlaceFraction(images, x0, top, a, b);
  images.ImaRep.TextOut(x0 + width, top + equals_drop, kEquals);
  const int x1 = x0 + width + images.ImaRep.TextWidth(kEquals) + images.Scale()(2);
  PlaceFraction(images, x1, top, p, q);
  return x1 + width;
}

namespace {

constexpr const char* kPlus = " + ";
// The texts of a mixed form stand where the line's other texts do.
constexpr int kMixedTextRow = 7;

}  // namespace

int MixedWidth(LineImages& images, const std::optional<MixedNumber>& mixed) {
  if (!mixed) {
    return 0;
  }
  LineImage& rep = images.ImaRep;
  return rep.TextWidth(kEquals) + rep.TextWidth(kPlus) + 2 * images.Scale()(2) +
         2 * FractionWidth(images);
}

void PlaceMixed(LineImages& images, int x, const std::optional<MixedNumber>& mixed) {
  if (!mixed) {
    return;
  }
  const LineScale s = images.Scale();
  const int width = FractionWidth(images);
  LineImage& rep = images.ImaRep;
  rep.TextOut(x, s(kMixedTextRow), kEquals);
  const int whole = x + rep.TextWidth(kEquals) + s(2);
  PlaceFraction(images, whole, 0, mixed->whole, 1);
  rep.TextOut(whole + width, s(kMixedTextRow), kPlus);
  const int rest = whole + width + rep.TextWidth(kPlus) + s(2);
  PlaceFraction(images, rest, 0, mixed->num, mixed->den);
}

}  // namespace fractions
