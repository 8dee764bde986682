#pragma once

#include <cstdint>

#include "worksheet/worksheet_build.h"

namespace fractions {

// The heaviest worksheet a teacher can ask for of a type: 40 questions with
// terms up to 500 and the most spacing.
WorksheetDocuments LargestWorksheet(ExerciseType type, uint32_t seed);

}  // namespace fractions
