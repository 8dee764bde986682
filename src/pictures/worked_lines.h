#pragma once

#include <string_view>

#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "line_images.h"

// The pictures of a worked answer key: each chain of expressions drawn on
// rows as high as the key's lines, "=" after "=" on the same picture while
// it fits, then on further pictures under the first "=".
namespace fractions {

// The widest a worked picture grows, at any scale: 180 mm, an A4 page
// between margins of 15 mm, at 96 dots per inch.
inline constexpr int kMaxWorkedWidth = 680;

// Adds the pictures of `chain` to images.worked: `lead` ("et") from column
// lead_x of the first, then the expressions joined by " = " from the
// operand column on, as many as fit within kMaxWorkedWidth; the rest goes
// on in further pictures, each starting with its "=" under the first one.
void AddWorkedChain(LineImages& images, int lead_x, std::string_view lead, const StepChain& chain,
                    DivisionSign sign);

// The same after the question number, "7°)", where the key's line writes
// it.
void AddNumberedChain(LineImages& images, int number, const StepChain& chain, DivisionSign sign);

}  // namespace fractions
