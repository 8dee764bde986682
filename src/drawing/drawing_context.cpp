#include "drawing_context.h"

#include <stdexcept>
#include <string>

namespace fractions {

namespace {

void CheckLargestTerm(int32_t largest_term) {
  if (largest_term < kLargestTermRange.min || largest_term > kLargestTermRange.max) {
    throw std::out_of_range("largest term " + std::to_string(largest_term) + " outside " +
                            std::to_string(kLargestTermRange.min) + ".." +
                            std::to_string(kLargestTermRange.max));
  }
}

void CheckCount(int32_t count, int32_t most) {
  if (count > most) {
    throw std::out_of_range("question count " + std::to_string(count) + " above " +
                            std::to_string(most));
  }
}

}  // namespace

void CheckDrawingSettings(int32_t largest_term, int32_t count) {
  CheckLargestTerm(largest_term);
  CheckCount(count, kMaxQuestions);
}

void CheckDrawingSettings(int32_t largest_term, int32_t count, const QuestionTable& table) {
  CheckLargestTerm(largest_term);
  CheckCount(count, table.Size());
}

}  // namespace fractions
