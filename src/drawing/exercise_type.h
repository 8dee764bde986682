#pragma once

#include <array>
#include <string_view>

namespace fractions {

// The seven kinds of worksheet, one per exercise button.
enum class ExerciseType {
  kAddition,
  kSubtraction,
  kMultiplication,
  kDivision,
  kPowers,
  kSimplification,
  kCommonDenominator,
};

inline constexpr std::array<ExerciseType, 7> kAllExerciseTypes = {
    ExerciseType::kAddition,          ExerciseType::kSubtraction, ExerciseType::kMultiplication,
    ExerciseType::kDivision,          ExerciseType::kPowers,      ExerciseType::kSimplification,
    ExerciseType::kCommonDenominator,
};

// True for addition, subtraction, multiplication and division, which share
// one drawing procedure and one line layout.
bool IsFourOperation(ExerciseType type);

// The start of the document name of a worksheet of this type ("AddFract", ...).
std::string_view DocumentNamePrefix(ExerciseType type);

}  // namespace fractions
