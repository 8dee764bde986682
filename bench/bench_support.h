#pragma once

#include <cstdint>

#include "worksheet/sheet_build.h"

namespace fractions {

// The heaviest worksheet a teacher can ask for of a type: 40 questions with
// terms up to 500 and the most spacing.
SheetDocuments LargestWorksheet(ExerciseType type, uint32_t seed);

}  // namespace fractions
