#include "fraction_drawing.h"

#include <string>

#include "line_fonts.h"

namespace fractions {

namespace {

// Rows and shifts of the standard layout; the canvas's scale turns them
// into its pixels.
constexpr int kBarRow = kRowHeight / 2 + 1;          // 15
constexpr int kDenominatorRow = kRowHeight / 2 + 2;  // 16
constexpr int kWholeNumberRow = kRowHeight / 4;      // 7
constexpr int kPowerShift = 6;
constexpr int kExponentGap = 1;

int Centred(LineImage& canvas, const std::string& text) {
  // Truncates toward zero.
  return (canvas.Scale()(kFractionWidth) - canvas.TextWidth(text)) / 2;
}

// The small bold exponent, just right of where the pen stands.
void DrawExponentAfterPen(LineImage& canvas, const std::string& exponent) {
  canvas.SetFont(LineFont::kExponent);
  canvas.TextOut(canvas.PenPos().x() + canvas.Scale()(kExponentGap), canvas.PenPos().y(), exponent);
  canvas.SetFont(LineFont::kOperand);
}

PixelRect ScaledBox(LineScale s, PixelRect r) {
  return {s(r.left), s(r.top), s(r.right), s(r.bottom)};
}

QPoint ScaledPoint(LineScale s, int x, int y) {
  return {s(x), s(y)};
}

// The parentheses of a whole fraction raised to a power, and its exponent.
void DrawParenthesesAndExponent(LineImage& canvas, const std::string& exponent) {
  const LineScale s = canvas.Scale();
  canvas.Arc(ScaledBox(s, {0, 0, 10, 32}), ScaledPoint(s, 2, 0), ScaledPoint(s, 2, 28));
  canvas.Arc(ScaledBox(s, {20, 0, 30, 30}), ScaledPoint(s, 28, 30), ScaledPoint(s, 28, 0));
  canvas.SetFont(LineFont::kExponent);
  canvas.TextOut(s(31), 0, exponent);
  canvas.SetFont(LineFont::kOperand);
}

}  // namespace

void DrawFraction(LineImage& canvas, int32_t num, int32_t den) {
  const LineScale s = canvas.Scale();
  canvas.SetFont(LineFont::kOperand);
  const std::string num_text = std::to_string(num);
  const std::string den_text = std::to_string(den);
  if (den_text == "1") {
    canvas.TextOut(Centred(canvas, num_text), s(kWholeNumberRow), num_text);
    return;
  }
  canvas.TextOut(Centred(canvas, num_text), 0, num_text);
  canvas.MoveTo(0, s(kBarRow));
  canvas.LineTo(s(kFractionWidth), s(kBarRow));
  canvas.TextOut(Centred(canvas, den_text), s(kDenominatorRow), den_text);
}

void DrawPowerFraction(LineImage& canvas, int32_t num, int32_t den, PowerForm form,
                       int32_t exponent) {
  const LineScale s = canvas.Scale();
  const int shift = s(kPowerShift);
  canvas.SetFont(LineFont::kOperand);
  const std::string num_text = std::to_string(num);
  const std::string den_text = std::to_string(den);
  const std::string exponent_text = std::to_string(exponent);

  canvas.TextOut(Centred(canvas, num_text) + shift, 0, num_text);
  if (form == PowerForm::kNumeratorOnly) {
    DrawExponentAfterPen(canvas, exponent_text);
  }
  canvas.MoveTo(shift, s(kBarRow));
  canvas.LineTo(shift + s(kFractionWidth), s(kBarRow));
  canvas.TextOut(Centred(canvas, den_text) + shift, s(kDenominatorRow), den_text);
  if (form == PowerForm::kDenominatorOnly) {
    DrawExponentAfterPen(canvas, exponent_text);
  }
  if (form == PowerForm::kWholeFraction) {
    DrawParenthesesAndExponent(canvas, exponent_text);
  }
}

}  // namespace fractions
