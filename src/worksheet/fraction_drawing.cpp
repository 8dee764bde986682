#include "fraction_drawing.h"

#include <string>

#include "line_fonts.h"

namespace fractions {

namespace {

constexpr int kBarRow = kRowHeight / 2 + 1;          // 15
constexpr int kDenominatorRow = kRowHeight / 2 + 2;  // 16
constexpr int kWholeNumberRow = kRowHeight / 4;      // 7
constexpr int kPowerShift = 6;

int Centred(LineImage& canvas, const std::string& text) {
  return (kFractionWidth - canvas.TextWidth(text)) / 2;  // truncates toward zero
}

// The small bold exponent, one pixel right of where the pen stands.
void DrawExponentAfterPen(LineImage& canvas, const std::string& exponent) {
  canvas.SetFont(LineFont::kExponent);
  canvas.TextOut(canvas.PenPos().x() + 1, canvas.PenPos().y(), exponent);
  canvas.SetFont(LineFont::kOperand);
}

}  // namespace

void DrawFraction(LineImage& canvas, int32_t num, int32_t den) {
  canvas.SetFont(LineFont::kOperand);
  const std::string num_text = std::to_string(num);
  const std::string den_text = std::to_string(den);
  if (den_text == "1") {
    canvas.TextOut(Centred(canvas, num_text), kWholeNumberRow, num_text);
    return;
  }
  canvas.TextOut(Centred(canvas, num_text), 0, num_text);
  canvas.MoveTo(0, kBarRow);
  canvas.LineTo(kFractionWidth, kBarRow);
  canvas.TextOut(Centred(canvas, den_text), kDenominatorRow, den_text);
}

void DrawPowerFraction(LineImage& canvas, int32_t num, int32_t den, PowerForm form,
                       int32_t exponent) {
  canvas.SetFont(LineFont::kOperand);
  const std::string num_text = std::to_string(num);
  const std::string den_text = std::to_string(den);
  const std::string exponent_text = std::to_string(exponent);

  canvas.TextOut(Centred(canvas, num_text) + kPowerShift, 0, num_text);
  if (form == PowerForm::kNumeratorOnly) {
    DrawExponentAfterPen(canvas, exponent_text);
  }
  canvas.MoveTo(kPowerShift, kBarRow);
  canvas.LineTo(kPowerShift + kFractionWidth, kBarRow);
  canvas.TextOut(Centred(canvas, den_text) + kPowerShift, kDenominatorRow, den_text);
  if (form == PowerForm::kDenominatorOnly) {
    DrawExponentAfterPen(canvas, exponent_text);
  }
  if (form == PowerForm::kWholeFraction) {
    canvas.Arc({0, 0, 10, 32}, {2, 0}, {2, 28});
    canvas.Arc({20, 0, 30, 30}, {28, 30}, {28, 0});
    canvas.SetFont(LineFont::kExponent);
    canvas.TextOut(31, 0, exponent_text);
    canvas.SetFont(LineFont::kOperand);
  }
}

}  // namespace fractions
