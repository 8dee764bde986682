#include "fraction_drawing.h"

#include <string>

#include "line_fonts.h"

namespace fractions {

namespace {

// Shifts of the standard layout; the canvas's scale turns them into its
// pixels.
constexpr int kPowerShift = 6;
// Blank columns between a minus sign's cell and the bar after it, so that
// the two never read as one long bar.
constexpr int kSignGap = 2;
// Blank columns on each side of a bracketed whole number.
constexpr int kBracketedWholeMargin = 1;

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

// A power's parentheses around a fraction whose area starts at column
// `fraction`, the left one at column 0.
void DrawOperandParentheses(LineImage& canvas, int fraction) {
  DrawTallParentheses(canvas, 0, fraction, canvas.Scale()(kFractionWidth));
}

// num over a bar over den, the area starting at column `left`.
void DrawFractionAt(LineImage& canvas, int left, int32_t num, int32_t den) {
  const LineScale s = canvas.Scale();
  canvas.SetFont(LineFont::kOperand);
  const std::string num_text = std::to_string(num);
  const std::string den_text = std::to_string(den);
  if (den_text == "1") {
    canvas.TextOut(left + Centred(canvas, num_text), s(kWholeNumberRow), num_text);
    return;
  }
  canvas.TextOut(left + Centred(canvas, num_text), 0, num_text);
  canvas.MoveTo(left, s(kBarRow));
  canvas.LineTo(left + s(kFractionWidth), s(kBarRow));
  canvas.TextOut(left + Centred(canvas, den_text), s(kDenominatorRow), den_text);
}

// "(−4)" in the operand font, as one text.
std::u16string BracketedWhole(int32_t num) {
  const std::string digits = std::to_string(-static_cast<int64_t>(num));
  return u"(" + std::u16string(kMinusSign) + std::u16string(digits.begin(), digits.end()) + u")";
}

}  // namespace

void DrawFraction(LineImage& canvas, int32_t num, int32_t den) {
  DrawFractionAt(canvas, 0, num, den);
}

int MinusSignWidth(LineScale s) {
  return LineTextWidth(LineFont::kOperand, s, kMinusSign) + s(kSignGap);
}

void DrawMinusBeforeBar(LineImage& canvas, int x) {
  // The middle of the sign's stroke on the middle of the bar, whose extra
  // rows at a larger scale lie above its row.
  const LineScale s = canvas.Scale();
  const QRect ink = LineTextInk(LineFont::kOperand, s, kMinusSign);
  canvas.SetFont(LineFont::kOperand);
  canvas.TextOut(x, s(kBarRow) - ink.top() - (ink.height() + s(1) - 2) / 2, kMinusSign);
}

int OpenParenthesisWidth(LineScale s) {
  return s(kPowerShift);
}

// The right parenthesis's box lies where a power's does from the fraction
// it closes.
int CloseParenthesisWidth(LineScale s) {
  return s(24) - s(kFractionWidth);
}

void DrawTallParentheses(LineImage& canvas, int open, int fraction, int width) {
  const LineScale s = canvas.Scale();
  canvas.Arc({open, 0, open + s(10), s(32)}, {open + s(2), 0}, {open + s(2), s(28)});
  // Placed from the area's right edge as a power's is from its fraction's.
  const int right = fraction + width;
  const int inside = s(kFractionWidth) - s(14);
  const int middle = s(22) - s(kFractionWidth);
  canvas.Arc({right - inside, 0, right + CloseParenthesisWidth(s), s(30)}, {right + middle, s(30)},
             {right + middle, 0});
}

int OperandWidth(LineScale s, int32_t num, int32_t den, bool bracketed) {
  if (num >= 0) {
    return s(kFractionWidth);
  }
  if (bracketed && den == 1) {
    return LineTextWidth(LineFont::kOperand, s, BracketedWhole(num)) + 2 * s(kBracketedWholeMargin);
  }
  return (bracketed ? OpenParenthesisWidth(s) + CloseParenthesisWidth(s) : 0) + MinusSignWidth(s) +
         s(kFractionWidth);
}

void DrawOperand(LineImage& canvas, int32_t num, int32_t den, bool bracketed) {
  if (num >= 0) {
    DrawFraction(canvas, num, den);
    return;
  }
  const LineScale s = canvas.Scale();
  if (bracketed && den == 1) {
    canvas.SetFont(LineFont::kOperand);
    canvas.TextOut(s(kBracketedWholeMargin), s(kWholeNumberRow), BracketedWhole(num));
    return;
  }
  const int sign_left = bracketed ? OpenParenthesisWidth(s) : 0;
  const int left = sign_left + MinusSignWidth(s);
  DrawFractionAt(canvas, left, -num, den);
  if (den == 1) {
    // Just before the digits, on their line: "−3".
    const int digits = left + Centred(canvas, std::to_string(-static_cast<int64_t>(num)));
    canvas.TextOut(digits - LineTextWidth(LineFont::kOperand, s, kMinusSign), s(kWholeNumberRow),
                   kMinusSign);
  } else {
    DrawMinusBeforeBar(canvas, sign_left);
  }
  if (bracketed) {
    DrawOperandParentheses(canvas, left);
  }
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
