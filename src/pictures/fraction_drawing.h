#pragma once

#include <cstdint>
#include <string_view>

#include "drawing/kinds/powers.h"
#include "line_image.h"

namespace fractions {

// The area one fraction is drawn in, and the wider one of a power, in
// pixels of the standard layout; a canvas at another scale draws them at
// its scale (29 x 42 and 62 x 42 at 3:2).
inline constexpr int kFractionWidth = 19;
inline constexpr int kPowerWidth = 41;
inline constexpr int kRowHeight = 28;

// The sign a negative number is drawn with: a true minus, not a hyphen.
inline constexpr std::u16string_view kMinusSign = u"\u2212";

// Rows of the standard layout: the top of the denominator's cell, the bar,
// and the top of a whole number's cell.
inline constexpr int kBarRow = kRowHeight / 2 + 1;          // 15
inline constexpr int kDenominatorRow = kRowHeight / 2 + 2;  // 16
inline constexpr int kWholeNumberRow = kRowHeight / 4;      // 7
// Blank columns between a number and its exponent.
inline constexpr int kExponentGap = 1;

// The width a minus sign before a bar takes, with its gap to the bar.
int MinusSignWidth(LineScale scale);
// Draws that minus sign from column x, at the bar's height.
void DrawMinusBeforeBar(LineImage& canvas, int x);

// How far a fraction's area starts after the left one of the tall
// parentheses around it, and how far the right one reaches past the area.
int OpenParenthesisWidth(LineScale scale);
int CloseParenthesisWidth(LineScale scale);
// Tall parentheses: the left one from column `open`, the right one just
// after the fraction area from column `fraction`, `width` wide.
void DrawTallParentheses(LineImage& canvas, int open, int fraction, int width);

// Draws num over a bar over den in the kFractionWidth x kRowHeight area at
// the top-left of `canvas`, each number centred on its own; a denominator
// of 1 draws the numerator alone, lower down and without bar. A number
// wider than the area is not shrunk: it is cut where the area is copied.
// Every measure is taken at the canvas's scale.
void DrawFraction(LineImage& canvas, int32_t num, int32_t den);

// The width DrawOperand takes for a number at a scale: a fraction's, and
// for a negative one also its minus sign and, when `bracketed`, its
// parentheses.
int OperandWidth(LineScale scale, int32_t num, int32_t den, bool bracketed);

// Draws num/den in the OperandWidth x kRowHeight area (at the canvas's
// scale) at the top-left of `canvas`: exactly DrawFraction's picture for a
// number that is not negative. A negative one has the minus sign before its bar, at the bar's
// height (a whole number: just before its digits, on their line), and,
// when `bracketed`, parentheses around sign and fraction: tall ones around
// a fraction, the font's own around a whole number, "(−4)".
void DrawOperand(LineImage& canvas, int32_t num, int32_t den, bool bracketed);

// The same fraction shifted 6 pixels right, in a kPowerWidth x kRowHeight
// area, with a small bold exponent: on the numerator, on the denominator, or
// on the whole fraction put in parentheses.
void DrawPowerFraction(LineImage& canvas, int32_t num, int32_t den, PowerForm form,
                       int32_t exponent);

}  // namespace fractions
