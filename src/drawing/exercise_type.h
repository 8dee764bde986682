#pragma once

#include <cstddef>

namespace fractions {

// The kinds of worksheet: the seven of the exercise buttons, then those of
// the "Autres…" menu. Everything the
// program knows about each is reached through its row of the exercise
// catalogue (exercise_catalogue.h); no other code names an enumerator.
enum class ExerciseType {
  kAddition,
  kSubtraction,
  kMultiplication,
  kDivision,
  kPowers,
  kSimplification,
  kCommonDenominator,
  kPriorities,
  kFractionOfNumber,
  kDecimalWriting,
  kComparison,
  kOrdering,
  kEqualFractions,
  kFigureReading,
  kFigureShading,
  kNumberLineReading,
  kNumberLinePlacing,
};

// True for every value of the enumeration. Its switch is what ties
// kExerciseTypeCount to the enumerators: a new one fails to compile here
// until it is listed.
constexpr bool IsExerciseType(int value) {
  switch (static_cast<ExerciseType>(value)) {
    case ExerciseType::kAddition:
    case ExerciseType::kSubtraction:
    case ExerciseType::kMultiplication:
    case ExerciseType::kDivision:
    case ExerciseType::kPowers:
    case ExerciseType::kSimplification:
    case ExerciseType::kCommonDenominator:
    case ExerciseType::kPriorities:
    case ExerciseType::kFractionOfNumber:
    case ExerciseType::kDecimalWriting:
    case ExerciseType::kComparison:
    case ExerciseType::kOrdering:
    case ExerciseType::kEqualFractions:
    case ExerciseType::kFigureReading:
    case ExerciseType::kFigureShading:
    case ExerciseType::kNumberLineReading:
    case ExerciseType::kNumberLinePlacing:
      return true;
  }
  return false;
}

// The number of exercise types.
inline constexpr size_t kExerciseTypeCount = [] {
  int count = 0;
  while (IsExerciseType(count)) {
    ++count;
  }
  return static_cast<size_t>(count);
}();

}  // namespace fractions
