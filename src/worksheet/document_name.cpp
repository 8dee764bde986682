#include "document_name.h"

#include "drawing/exercise_catalogue.h"

namespace fractions {

namespace {

std::string TwoDigits(int32_t value) {
  return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string MakeDocumentName(ExerciseType type, RandomSource& random) {
  const int32_t first = random.Random(100);
  const int32_t second = random.Random(100);
  return std::string(Describe(type).name_prefix) + TwoDigits(first) + "_" + TwoDigits(second);
}

}  // namespace fractions
