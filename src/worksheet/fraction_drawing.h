#pragma once

#include <cstdint>

#include "line_image.h"

namespace fractions {

// Draws num over a bar over den in the 19 x 28 area at the top-left of
// `canvas`, each number centred on its own; a denominator of 1 draws the
// numerator alone, lower down and without bar. A number wider than the area
// is not shrunk: it is cut where the area is copied.
void DrawFraction(LineImage& canvas, int32_t num, int32_t den);

// The same fraction shifted 6 pixels right, in a 41 x 28 area, with a small
// bold exponent: on the numerator (form 2), on the denominator (form 3), or
// on the whole fraction put in parentheses (form 1).
void DrawPowerFraction(LineImage& canvas, int32_t num, int32_t den, int32_t form, int32_t exponent);

}  // namespace fractions
