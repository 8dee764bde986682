#include "decimal_writing.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "level_rules.h"
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
// factor (the writing never ends) or more than `most_places` are needed.
int32_t DecimalPlaces(int32_t den, int32_t most_places) {
  int32_t twos = 0;
  int32_t fives = 0;
  for (; den % 2 == 0; den /= 2) {
    ++twos;
  }
  for (; den % 5 == 0; den /= 5) {
    ++fives;
  }
  const int32_t places = twos > fives ? twos : fives;
  return den == 1 && places <= most_places ? places : -1;
}

// What a class is set: the denominators (those listed, or every one
// whose decimal writing ends within `most_places` digits when none are),
// the value's whole part below `below` (and below the largest term), and
// whether half of the sheet is negative.
struct DecimalRow {
  std::span<const int32_t> denominators;
  int32_t most_places;
  int32_t below;
  bool negatives;
};

// Numbers a pupil writes by hand: at a level no numerator beyond three
// digits and no decimal writing beyond four (7,341 or 0,0625, never
// 14991/5000 = 2,9982).
constexpr int32_t kLargestLevelNumerator = 999;
constexpr int32_t kLargestLevelDigits = 9999;

// The largest numerator over `den` (whose writing takes `places` digits
// after the comma) that a level asks: the value below `below`, within
// three digits, its writing within four.
int32_t LargestLevelNumerator(int32_t den, int32_t places, int32_t below) {
  const int32_t digits_per_unit = PowerOfTen(places) / den;
  return std::min({below * den - 1, kLargestLevelNumerator, kLargestLevelDigits / digits_per_unit});
}

// Halves, quarters, fifths, tenths and hundredths: the decimal fractions of
// cycle 3 and the shares they write as hundredths.
constexpr int32_t kPrimaryDenominators[] = {2, 4, 5, 10, 100};
// 6e adds eighths and the divisors of 100 left.
constexpr int32_t k6eDenominators[] = {2, 4, 5, 8, 10, 20, 25, 50, 100};

// Indexed by Level ("Libre" draws as it always has, without a row): CM2 at
// most two decimals; 6e three, with eighths; 5e every divisor of 1000; 4e
// the same, half of the sheet negative; 3e every divisor of 10,000, up to
// four decimals, 1/16 = 0,0625. Every value below 10.
constexpr DecimalRow kRows[] = {
    {{}, DecimalWritingKind::kMostPlaces, 0, false},
    {kPrimaryDenominators, 2, 10, false},
    {k6eDenominators, 3, 10, false},
    {{}, 3, 10, false},
    {{}, 3, 10, true},
    {{}, 4, 10, true},
};

// The denominators of a row without a list: every one from 2 up whose
// writing ends within its places, 2 to 10^places.
std::vector<int32_t> RowDenominators(const DecimalRow& row) {
  if (!row.denominators.empty()) {
    return {row.denominators.begin(), row.denominators.end()};
  }
  std::vector<int32_t> denominators;
  for (int32_t den = 2; den <= PowerOfTen(row.most_places); ++den) {
    if (DecimalPlaces(den, row.most_places) >= 0) {
      denominators.push_back(den);
    }
  }
  return denominators;
}

}  // namespace

std::vector<DecimalWritingQuestion> DecimalWritingKind::Draw(int32_t largest_term, int32_t count,
                                                             DrawingContext& context,
                                                             const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const bool at_level = AtLevel(options);
  const DecimalRow& row = kRows[static_cast<size_t>(options.level)];
  const std::vector<int32_t> denominators =
      at_level ? RowDenominators(row) : std::vector<int32_t>{};
  const int32_t below = std::min(row.below, largest_term);

  std::vector<DecimalWritingQuestion> questions;
  int32_t to_decimal_left = (count + random.Random(2)) / 2;
  int32_t negative_left = at_level && row.negatives ? (count + random.Random(2)) / 2 : 0;
  for (int position = 0; position < count; ++position) {
    // Of the positions left, as many ask for the decimal as are still due;
    // and as many are negative.
    const bool to_decimal = random.Random(count - position) < to_decimal_left;
    to_decimal_left -= to_decimal ? 1 : 0;
    const bool negative = negative_left > 0 && random.Random(count - position) < negative_left;
    negative_left -= negative ? 1 : 0;
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      DecimalWritingQuestion q{};
      q.to_decimal = to_decimal;
      if (at_level) {
        // The denominator first, each as likely, then the numerator: a
        // sheet holds as many eighths as hundredths.
        q.den = denominators[static_cast<size_t>(
            random.Random(static_cast<int32_t>(denominators.size())))];
        q.places = DecimalPlaces(q.den, row.most_places);
        q.num = random.Random(LargestLevelNumerator(q.den, q.places, below)) + 1;
      } else {
        q.num = random.Random(largest_term) + 1;
        q.den = random.Random(largest_term - 1) + 2;
        q.places = DecimalPlaces(q.den, kMostPlaces);
      }
      if (q.places < 1 || context.gcd3(q.num, q.den, q.den) != 1) {
        continue;
      }
      q.num = negative ? -q.num : q.num;
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
  // -3/4 = -0,75 is 3/4 = 0,75 with a sign: one of them a sheet.
  return SeparatedKey(std::array<int32_t, 2>{std::abs(q.num), q.den});
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
