#pragma once

#include <vector>

#include "drawing/exercise_catalogue.h"

namespace fractions::testing {

// The types of the seven exercise buttons: the properties written against
// their question structs run over these; each kind of the "Autres…" menu
// has a test file of its own.
inline std::vector<ExerciseType> ButtonTypes() {
  std::vector<ExerciseType> types;
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    if (!row.button_place.in_menu) {
      types.push_back(row.type);
    }
  }
  return types;
}

}  // namespace fractions::testing
