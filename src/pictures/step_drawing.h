#pragma once

#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "line_image.h"

// The expressions of a worked key drawn on one row of a line picture, in
// the line fonts and with the fraction drawing of the key: numbers in the
// operand font, operators, "=" and an expression's words in the line font
// at the operators' row, a negative fraction's true minus before its bar, a
// negative operand after the first in parentheses. Unlike the key's fixed
// 19-pixel operand slots, every fraction is as wide as its widest number
// plus 2 pixels, so that "497×491" is never cut. Widths and positions are
// in the image's pixels, at its scale.
namespace fractions {

// The texts between two expressions and after an irreducible fraction.
inline constexpr std::u16string_view kStepEquals = u" = ";
inline constexpr std::u16string_view kIrreducibleNote = u" (irr\u00E9ductible)";

// The width of the expression, its note included.
int ExpressionWidth(LineScale scale, const StepExpression& expression, DivisionSign sign);

// Draws the expression from column x, on the row at the image's top.
void DrawExpression(LineImage& image, int x, const StepExpression& expression, DivisionSign sign);

// The width of a text in the line font, and the text drawn from column x
// at the operators' row.
int LineWordWidth(LineScale scale, std::u16string_view text);
void DrawLineWord(LineImage& image, int x, std::u16string_view text);

}  // namespace fractions
