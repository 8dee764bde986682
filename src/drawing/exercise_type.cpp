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

std::string_view DocumentNamePrefix(ExerciseType type) {
  switch (type) {
    case ExerciseType::kAddition:
      return "AddFract";
    case ExerciseType::kSubtraction:
      return "SousFract";
    case ExerciseType::kMultiplication:
      return "MultFract";
    case ExerciseType::kDivision:
      return "DivFract";
    case ExerciseType::kPowers:
      return "PuissFract";
    case ExerciseType::kSimplification:
      return "SimplFract";
    case ExerciseType::kCommonDenominator:
      return "ReducFract";
  }
  return {};
}

}  // namespace fractions
