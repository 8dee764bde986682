#pragma once

#include <cstdint>
#include <optional>

#include "drawing/exercise_options.h"
#include "line_images.h"

// The steps the line layouts of several kinds share: positions are those of
// the first line layouts, counted from the widths of texts in the line font.
// Every position taken or given is in the images' own pixels; a layout
// turns the standard layout's constants into them with the images' scale.
namespace fractions {

// The equals sign of the one-fraction layouts.
inline constexpr const char* kEquals = " = ";

// The operand column: every line starts its first operand where a
// four-digit number would end, whatever the question number.
int OperandColumn(LineImage& image);

// The width of a fraction's area at the images' scale.
int FractionWidth(const LineImages& images);

// Clears the answer line and the question picture and writes the question
// number, "7°)", at the answer line's top left.
void StartLine(LineImages& images, int number);

// Draws a fraction in the scratch image and copies its area (19 x 28 at
// 1:1) to column x of the answer line, at row `top`.
void PlaceFraction(LineImages& images, int x, int top, int32_t num, int32_t den);

// The same for a number that may be negative (see DrawOperand); returns
// the width it took, a fraction's for a number that is not negative, whose
// picture is then exactly PlaceFraction's.
int PlaceOperand(LineImages& images, int x, int top, int32_t num, int32_t den, bool bracketed);

// The question picture: the answer line's leftmost columns, as wide and
// high as the question image.
void CutQuestion(LineImages& images);

// One row "a/b = p/q" at the operand column; the equals sign stands
// `equals_drop` pixels below the row's top. Returns the column just past
// the result.
int ComposeEqualityRow(LineImages& images, int top, int equals_drop, int32_t a, int32_t b,
                       int32_t p, int32_t q);

// The width " = 1 + 3/4" takes after a result, 0 without a mixed form.
int MixedWidth(LineImages& images, const std::optional<MixedNumber>& mixed);

// Draws " = 1 + 3/4" from column x of the answer line's first row.
void PlaceMixed(LineImages& images, int x, const std::optional<MixedNumber>& mixed);

}  // namespace fractions
