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

void CutQuestion(LineImages& images) {
  const int width = images.ImaQuest.Width();
  const int height = images.ImaQuest.Height();
  images.ImaQuest.CopyRect({0, 0, width, height}, images.ImaRep, {0, 0, width, height});
}

void ComposeEqualityRow(LineImages& images, int top, int equals_drop, int32_t a, int32_t b,
                        int32_t p, int32_t q) {
  const int x0 = OperandColumn(images.ImaRep);
  const int width = FractionWidth(images);
  PlaceFraction(images, x0, top, a, b);
  images.ImaRep.TextOut(x0 + width, top + equals_drop, kEquals);
  const int x1 = x0 + width + images.ImaRep.TextWidth(kEquals) + images.Scale()(2);
  PlaceFraction(images, x1, top, p, q);
}

}  // namespace fractions
