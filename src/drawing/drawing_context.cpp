#include "drawing_context.h"

#include <stdexcept>
#include <string>

namespace fractions {

namespace {

// The most questions a drawing phase of this thread takes.
thread_local int32_t most_questions = kMaxQuestions;

}  // namespace

ProbeScope::ProbeScope() : previous_most_(most_questions) {
  most_questions = kMaxProbedQuestions;
}

ProbeScope::~ProbeScope() {
  most_questions = previous_most_;
}

void CheckDrawingSettings(int32_t largest_term, int32_t count) {
  if (largest_term < kLargestTermRange.min || largest_term > kLargestTermRange.max) {
    throw std::out_of_range("largest term " + std::to_string(largest_term) + " outside " +
                            std::to_string(kLargestTermRange.min) + ".." +
                            std::to_string(kLargestTermRange.max));
  }
  if (count > most_questions) {
    throw std::out_of_range("question count " + std::to_string(count) + " above " +
                            std::to_string(most_questions));
  }
}

}  // namespace fractions
