#pragma once

#include <cstddef>

namespace fractions {

// The seven kinds of worksheet, one per exercise button. What the program
// says about each is in the exercise catalogue (exercise_catalogue.h);
// every switch over this type names every enumerator, and the build turns
// a missing one into an error, so a new kind cannot slip through a default.
enum class ExerciseType {
  kAddition,
  kSubtraction,
  kMultiplication,
  kDivision,
  kPowers,
  kSimplification,
  kCommonDenominator,
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

// True for addition, subtraction, multiplication and division, which share
// one drawing procedure and one line layout.
bool IsFourOperation(ExerciseType type);

}  // namespace fractions
