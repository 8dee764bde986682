#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "kind_parts.h"

namespace fractions {

// num/den = digits/10^places: an irreducible fraction and its decimal
// writing, asked one way or the other; num and digits carry the sign of a
// negative number.
struct DecimalWritingQuestion {
  bool to_decimal;  // "3/4 =" asks for 0,75; otherwise "0,75 =" asks for 3/4
  int32_t num, den;
  int32_t digits, places;  // places >= 1, digits not a multiple of 10
  friend bool operator==(const DecimalWritingQuestion&, const DecimalWritingQuestion&) = default;
};

// Decimal writing, both ways: "3/4 = 0,75" and "0,35 = 7/20".
struct DecimalWritingKind {
  using Question = DecimalWritingQuestion;

  static constexpr OptionUse kOptionUse{};

  // The most digits after the decimal comma: 1/8 = 0,125 is set, 1/16 is
  // not (but in 3e, see Draw).
  static constexpr int32_t kMostPlaces = 3;

  // Draws `count` distinct questions on fractions num/den, irreducible and
  // not whole, both terms in 1..largest_term, whose decimal writing ends
  // within kMostPlaces digits after the comma: den is 2, 4, 5, 8, 10, 20,
  // 25... Each such fraction is as likely. Half of the sheet (the odd one
  // either way) asks for the decimal writing, the other half for the
  // fraction, in a random order. A number is asked only once a sheet,
  // whichever way: "0,75 =" would give away the answer of "3/4 =". No
  // option changes the draw. Empties the question table first and leaves
  // the keys in it. Throws TooFewQuestions when the settings do not give
  // `count`.
  //
  // At a level, what its class is set, each denominator as likely and the
  // value below 10 (and below the largest term): in CM2 halves, quarters,
  // fifths, tenths and hundredths; in 6e also eighths, twentieths,
  // twenty-fifths and fiftieths; in 5e every denominator dividing 1000; in
  // 4e the same, half of the sheet (the odd one drawn) negative, -3/4 =
  // -0,75; in 3e every denominator dividing 10,000, up to four decimals.
  // A number and its opposite are asked once a sheet between them.
  std::vector<DecimalWritingQuestion> Draw(int32_t largest_term, int32_t count,
                                           DrawingContext& context,
                                           const ExerciseOptions& options = {}) const;
  // The numbers of the question's key: num, den, whichever way it is
  // asked.
  std::array<int32_t, 2> KeyNumbers(const DecimalWritingQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey): the number's size and
  // denominator, whichever way it is asked and whatever its sign.
  std::string RepeatKey(const DecimalWritingQuestion& q) const;
  QuestionFields Fields(const DecimalWritingQuestion& q, const ExerciseOptions& options) const;
  // "3/4 = 0,75", "0,35 = 7/20"
  std::string Text(const DecimalWritingQuestion& q, const ExerciseOptions& options) const;
  // The key as printed after "=": "0,75", "7/20".
  std::string Answer(const DecimalWritingQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain: num/den = (num×k)/(den×k) = digits/10^places
  // = the decimal, the expansion left out when den is a power of ten; or
  // the decimal = digits/10^places = (num×g)/(den×g) = num/den.
  WorkedSteps Steps(const DecimalWritingQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const DecimalWritingKind&, const DecimalWritingKind&) = default;
};

}  // namespace fractions
