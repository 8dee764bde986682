#include "exercise_type.h"

namespace fractions {

bool IsFourOperation(ExerciseType type) {
  switch (type) {
    case ExerciseType::kAddition:
    case ExerciseType::kSubtraction:
    case ExerciseType::kMultiplication:
    case ExerciseType::kDivision:
      return true;
    case ExerciseType::kPowers:
    case ExerciseType::kSimplification:
    case ExerciseType::kCommonDenominator:
      return false;
  }
  return false;
}

}  // namespace fractions
