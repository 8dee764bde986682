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

void CutQuestion(LineImages& images) {
  const int width = images.ImaQuest.Width();
  const int height = images.ImaQuest.Height();
  images.ImaQuest.CopyRect({0, 0, width, height}, images.ImaRep, {0, 0, width, height});
}

void ComposeEqualityRow(LineImages& images, int top, int equals_drop, int32_t a, int32_t b,
                        int32_t p, int32_t q) {
  const int x0 = OperandColumn(images.ImaRep);
  PlaceFraction(images, x0, top, a, b);
  images.ImaRep.TextOut(x0 + kFractionWidth, top + equals_drop, kEquals);
  const int x1 = x0 + kFractionWidth + images.ImaRep.TextWidth(kEquals) + 2;
  PlaceFraction(images, x1, top, p, q);
}

}  // namespace fractions
