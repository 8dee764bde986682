#pragma once

#include <string>

#include "drawing/exercise_type.h"
#include "drawing/random.h"

namespace fractions {

// A new document name: the type's prefix, two draws of 0..99 written with
// two digits and joined by "_" ("AddFract07_42"). The first draw comes first.
// Every run forms it before its drawing phase, so it takes the first two
// draws after seeding.
std::string MakeDocumentName(ExerciseType type, RandomSource& random);

}  // namespace fractions
