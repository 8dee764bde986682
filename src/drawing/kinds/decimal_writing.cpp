#include "decimal_writing.h"

#include "step_parts.h"

namespace fractions {

namespace {

// 10^places.
int32_t PowerOfTen(int32_t places) {
  int32_t power = 1;
  for (int32_t i = 0; i < places; ++i) {
    power *= 10;
  }
  return power;
}

// The number of digits after the comma of num/den in lowest terms: the
// larger of the powers of 2 and 5 in den; -1 when den has another prime
// factor (the writing never ends) or more than kMostPlaces are needed.
int32_t DecimalPlaces(int32_t den) {
  int32_t twos = 0;
  int32_t fives = 0;
  for (; den % 2 == 0; den /= 2) {
    ++twos;
  }
  for (; den % 5 == 0; den /= 5) {
    ++fives;
  }
  const int32_t places = twos > fives ? twos : fives;
  return den == 1 && places <= DecimalWritingKind::kMostPlaces ? places : -1;
}

}  // namespace

std::vector<DecimalWritingQuestion> DecimalWritingKind::Draw(
    int32_t largest_term, int32_t count, DrawingContext& context,
    const ExerciseOptions& /*options*/) const {
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;

  std::vector<DecimalWritingQuestion> questions;
  int32_t to_decimal_left = (count + random.Random(2)) / 2;
  for (int position = 0; position < count; ++position) {
    // Of the positions left, as many ask for the decimal as are still due.
    const bool to_decimal = random.Random(count - position) < to_decimal_left;
    to_decimal_left -= to_decimal ? 1 : 0;
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      DecimalWritingQuestion q{};
      q.to_decimal = to_decimal;
      q.num = random.Random(largest_term) + 1;
      q.den = random.Random(largest_term - 1) + 2;
      q.places = DecimalPlaces(q.den);
      if (q.places < 1 || context.gcd3(q.num, q.den, q.den) != 1) {
        continue;
      }
      q.digits = q.num * (PowerOfTen(q.places) / q.den);
      if (!context.table.StoreIfNew(position, RepeatKey(q))) {
        continue;
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 2> DecimalWritingKind::KeyNumbers(const DecimalWritingQuestion& q) const {
  return {q.num, q.den};
}

std::string DecimalWritingKind::RepeatKey(const DecimalWritingQuestion& q) const {
  return SeparatedKey(KeyNumbers(q));
}

QuestionFields DecimalWritingKind::Fields(const DecimalWritingQuestion& q,
                                          const ExerciseOptions& /*options*/) const {
  return {{{"to_decimal", q.to_decimal ? 1 : 0},
           {"num", q.num},
           {"den", q.den},
           {"digits", q.digits},
           {"places", q.places}},
          {}};
}

std::string DecimalWritingKind::Text(const DecimalWritingQuestion& q,
                                     const ExerciseOptions& options) const {
  const std::string asked =
      q.to_decimal ? FractionText(q.num, q.den) : DecimalText(q.digits, q.places, ',');
  return asked + " = " + Answer(q, options);
}

std::string DecimalWritingKind::Answer(const DecimalWritingQuestion& q,
                                       const ExerciseOptions& /*options*/) const {
  return q.to_decimal ? DecimalText(q.digits, q.places, ',') : FractionText(q.num, q.den);
}

WorkedSteps DecimalWritingKind::Steps(const DecimalWritingQuestion& q,
                                      const ExerciseOptions& /*options*/) const {
  const int32_t power = PowerOfTen(q.places);
  if (q.to_decimal) {
    StepChain chain{Single(FractionStep(q.num, q.den))};
    if (q.den != power) {
      chain.push_back(Single(ExpandedStep(q.num, q.den, power / q.den)));
      chain.push_back(Single(FractionStep(q.digits, power)));
    }
    chain.push_back(Single(DecimalStep(q.digits, q.places)));
    return {chain};
  }
  StepChain chain{Single(DecimalStep(q.digits, q.places)), Single(FractionStep(q.digits, power))};
  AppendResult(chain, q.digits, power, {});
  return {chain};
}

}  // namespace fractions
