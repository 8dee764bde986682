#include "drawing_phase.h"

#include "common_denominator.h"
#include "four_operations.h"
#include "powers.h"
#include "simplification.h"

#include <stdexcept>

namespace fractions {

QuestionSet RunDrawingPhase(ExerciseType type, int32_t largest_term, int32_t count,
                            DrawingContext& context) {
  switch (type) {
    case ExerciseType::kAddition:
    case ExerciseType::kSubtraction:
    case ExerciseType::kMultiplication:
    case ExerciseType::kDivision:
      return DrawOperationQuestions(type, largest_term, count, context);
    case ExerciseType::kPowers:
      return DrawPowerQuestions(largest_term, count, context);
    case ExerciseType::kSimplification:
      return DrawSimplificationQuestions(largest_term, count, context);
    case ExerciseType::kCommonDenominator:
      return DrawCommonDenominatorQuestions(largest_term, count, context);
  }
  throw std::invalid_argument("not an exercise type");
}

size_t QuestionCount(const QuestionSet& set) {
  return std::visit([](const auto& questions) { return questions.size(); }, set);
}

}  // namespace fractions
