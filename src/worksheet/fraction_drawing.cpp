#include "fraction_drawing.h"

#include <string>

#include "line_fonts.h"

namespace fractions {

namespace {

constexpr int kBarRow = kRowHeight / 2 + 1;          // 15
constexpr int kDenominatorRow = kRowHeight / 2 + 2;  // 16
constexpr int kWholeNumberRow = kRowHeight / 4;      // 7
constexpr int kPowerShift = 6;
// A bracketed operand: the left parenthesis takes the power's shift, the
// right one reaches this far past the fraction.
constexpr int kOpenWidth = kPowerShift;
constexpr int kCloseWidth = 5;
// Blank columns between a minus sign's cell and the bar after it, so that
// the two never read as one long bar.
constexpr int kSignGap = 2;
// Blank columns on each side of a bracketed whole number.
constexpr int kBracketedWholeMargin = 1;

int Centred(LineImage& canvas, const std::string& text) {
  return (kFractionWidth - canvas.TextWidth(text)) / 2;  // truncates toward zero
}

int SignWidth() {
  return LineTextWidth(LineFont::kOperand, kMinusSign) + kSignGap;
}

// The parentheses of a power's whole fraction: the left one from column
// `open`, the right one ending kCloseWidth past `close`, where the fraction
// inside ends.
void DrawParentheses(LineImage& canvas, int open, int close) {
  canvas.Arc({open, 0, open + 10, 32}, {open + 2, 0}, {open + 2, 28});
  canvas.Arc({close - 5, 0, close + kCloseWidth, 30}, {close + 3, 30}, {close + 3, 0});
}

// num over a bar over den, the area starting at column `left`.
void DrawFractionAt(LineImage& canvas, int left, int32_t num, int32_t den) {
  canvas.SetFont(LineFont::kOperand);
  const std::string num_text = std::to_string(num);
  const std::string den_text = std::to_string(den);
  if (den_text == "1") {
    canvas.TextOut(left + Centred(canvas, num_text), kWholeNumberRow, num_text);
    return;
  }
  canvas.TextOut(left + Centred(canvas, num_text), 0, num_text);
  canvas.MoveTo(left, kBarRow);
  canvas.LineTo(left + kFractionWidth, kBarRow);
  canvas.TextOut(left + Centred(canvas, den_text), kDenominatorRow, den_text);
}

// The small bold exponent, one pixel right of where the pen stands.
void DrawExponentAfterPen(LineImage& canvas, const std::string& exponent) {
  canvas.SetFont(LineFont::kExponent);
  canvas.TextOut(canvas.PenPos().x() + 1, canvas.PenPos().y(), exponent);
  canvas.SetFont(LineFont::kOperand);
}

}  // namespace

void DrawFraction(LineImage& canvas, int32_t num, int32_t den) {
  DrawFractionAt(canvas, 0, num, den);
}

// "(−4)" in the operand font, as one text.
std::u16string BracketedWhole(int32_t num) {
  const std::string digits = std::to_string(-static_cast<int64_t>(num));
  return u"(" + std::u16string(kMinusSign) + std::u16string(digits.begin(), digits.end()) + u")";
}

int OperandWidth(int32_t num, int32_t den, bool bracketed) {
  if (num >= 0) {
    return kFractionWidth;
  }
  if (bracketed && den == 1) {
    return LineTextWidth(LineFont::kOperand, BracketedWhole(num)) + 2 * kBracketedWholeMargin;
  }
  return (bracketed ? kOpenWidth + kCloseWidth : 0) + SignWidth() + kFractionWidth;
}

void DrawOperand(LineImage& canvas, int32_t num, int32_t den, bool bracketed) {
  if (num >= 0) {
    DrawFraction(canvas, num, den);
    return;
  }
  if (bracketed && den == 1) {
    canvas.SetFont(LineFont::kOperand);
    canvas.TextOut(kBracketedWholeMargin, kWholeNumberRow, BracketedWhole(num));
    return;
  }
  const int sign_left = bracketed ? kOpenWidth : 0;
  const int left = sign_left + SignWidth();
  DrawFractionAt(canvas, left, -num, den);
  canvas.SetFont(LineFont::kOperand);
  if (den == 1) {
    // Just before the digits, on their line: "−3".
    const int digits = left + Centred(canvas, std::to_string(-num));
    canvas.TextOut(digits - LineTextWidth(LineFont::kOperand, kMinusSign), kWholeNumberRow,
                   kMinusSign);
  } else {
    // The middle of the sign's stroke on the bar's row.
    const QRect ink = LineTextInk(LineFont::kOperand, kMinusSign);
    canvas.TextOut(sign_left, kBarRow - ink.top() - (ink.height() - 1) / 2, kMinusSign);
  }
  if (bracketed) {
    DrawParentheses(canvas, 0, left + kFractionWidth);
  }
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
    DrawParentheses(canvas, 0, kPowerShift + kFractionWidth);
    canvas.SetFont(LineFont::kExponent);
    canvas.TextOut(31, 0, exponent_text);
    canvas.SetFont(LineFont::kOperand);
  }
}

}  // namespace fractions
