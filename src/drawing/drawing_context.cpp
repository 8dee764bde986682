#include "drawing_context.h"

#include <stdexcept>
#include <string>

namespace fractions {

void CheckDrawingSettings(int32_t largest_term, int32_t count) {
  if (largest_term < kLargestTermRange.min || largest_term > kLargestTermRange.max) {
    throw std::out_of_range("largest term " + std::to_string(largest_term) + " outside " +
                            std::to_string(kLargestTermRange.min) + ".." +
                            std::to_string(kLargestTermRange.max));
  }
  if (count > kMaxQuestions) {
    throw std::out_of_range("question count " + std::to_string(count) + " above " +
                            std::to_string(kMaxQuestions));
  }
}

}  // namespace fractions
