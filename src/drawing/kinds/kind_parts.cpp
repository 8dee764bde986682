#include "kind_parts.h"

namespace fractions {

namespace {

std::string TooFewMessage(int available, int wanted) {
  const std::string asked = " : impossible d'en poser " + std::to_string(wanted);
  if (available == 0) {
    return "Ces réglages ne donnent aucune question" + asked;
  }
  if (available == 1) {
    return "Ces réglages ne donnent qu'une question" + asked;
  }
  return "Ces réglages ne donnent que " + std::to_string(available) + " questions différentes" +
         asked;
}

}  // namespace

std::string FractionText(int32_t num, int32_t den) {
  return den == 1 ? std::to_string(num) : std::to_string(num) + "/" + std::to_string(den);
}

std::string OperandText(int32_t num, int32_t den) {
  return num < 0 ? "(" + FractionText(num, den) + ")" : FractionText(num, den);
}

std::string ResultText(const ExerciseOptions& options, int32_t num, int32_t den) {
  std::string text = FractionText(num, den);
  if (const std::optional<MixedNumber> mixed = MixedForm(options, num, den)) {
    text += " = " + std::to_string(mixed->whole) + " + " + FractionText(mixed->num, mixed->den);
  }
  return text;
}

RelatedDenominators::RelatedDenominators(int32_t largest_term) {
  for (int32_t small = 2; small <= largest_term; ++small) {
    pairs_.emplace_back(small, small);
    for (int32_t multiple = 2 * small; multiple <= largest_term; multiple += small) {
      pairs_.emplace_back(small, multiple);
      pairs_.emplace_back(multiple, small);
    }
  }
}

std::pair<int32_t, int32_t> RelatedDenominators::Draw(RandomSource& random) const {
  return pairs_.at(static_cast<size_t>(random.Random(static_cast<int32_t>(pairs_.size()))));
}

TooFewQuestions::TooFewQuestions(int available, int wanted)
    : std::runtime_error(TooFewMessage(available, wanted)), available_(available) {}

}  // namespace fractions
