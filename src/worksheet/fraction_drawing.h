#pragma once

#include <cstdint>

#include "drawing/kinds/powers.h"
#include "line_image.h"

namespace fractions {

// The area one fraction is drawn in, and the wider one of a power, in
// pixels of the standard layout; a canvas at another scale draws them at
// its scale (29 x 42 and 62 x 42 at 3:2).
inline constexpr int kFractionWidth = 19;
inline constexpr int kPowerWidth = 41;
inline constexpr int kRowHeight = 28;

// Draws num over a bar over den in the kFractionWidth x kRowHeight area at
// the top-left of `canvas`, each number centred on its own; a denominator
// of 1 draws the numerator alone, lower down and without bar. A number
// wider than the area is not shrunk: it is cut where the area is copied.
// Every measure is taken at the canvas's scale.
void DrawFraction(LineImage& canvas, int32_t num, int32_t den);

// The same fraction shifted 6 pixels right, in a kPowerWidth x kRowHeight
// area, with a small bold exponent: on the numerator, on the denominator, or
// on the whole fraction put in parentheses.
void DrawPowerFraction(LineImage& canvas, int32_t num, int32_t den, PowerForm form,
                       int32_t exponent);

}  // namespace fractions
