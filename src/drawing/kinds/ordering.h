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

// Four fractions num[i]/den[i] in the order the question shows them, the
// denominators positive, the numerators signed with negative numbers.
struct OrderingQuestion {
  std::array<int32_t, 4> num;
  std::array<int32_t, 4> den;
  friend bool operator==(const OrderingQuestion&, const OrderingQuestion&) = default;
};

// Ordering four fractions, "3/4 ; 2/3 ; 5/6 ; 7/12" to be ranged in
// increasing order, as the textbooks of 5e and 4e set it: put over their
// least common denominator, the numerators give the order.
struct OrderingKind {
  using Question = OrderingQuestion;

  static constexpr OptionUse kOptionUse{
      .multiple_denominators = true, .same_denominators = true, .negatives = true};

  // Terms stay this small whatever the largest term beyond it: halves to
  // twelfths, as the textbooks' lists (tenths at CM2).
  static constexpr int32_t kLargestTerm = 12;
  // Nor is the least common denominator of the four larger: a pupil finds
  // it by heart or in a few multiples. Every number of the worked key is
  // then within 12 × 60 / 2 = 360. At 3e it may reach 120 (12 × 120 / 2 =
  // 720).
  static constexpr int32_t kLargestCommonDenominator = 60;

  // Draws `count` distinct questions of four fractions of different values:
  // numerators 1..largest_term, denominators 2..largest_term (both at most
  // kLargestTerm, at a level at most its row's bound), never a whole number
  // (a/1, a/a, 6/3); the fractions as drawn, reducible ones included; the
  // denominators related as the options say (with multiples, each divides
  // the largest; one denominator for all four), their least common
  // multiple at most kLargestCommonDenominator (a level's row: 120 at 3e),
  // at 6e two different denominators at most, at 5e three or four unless
  // the options ask for one; with negative numbers each numerator's sign
  // drawn half and half. The four are never shown in increasing order
  // already, and never the same four values twice a sheet. Each acceptable
  // question is as likely. Empties the question table first and leaves the
  // keys in it. Throws TooFewQuestions when the settings do not give
  // `count`.
  std::vector<OrderingQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                     const ExerciseOptions& options = {}) const;
  // The eight numbers of the four fractions in increasing order of value,
  // numerator then denominator: the same whatever order the question shows
  // them in, so that one list of four is asked once a sheet.
  std::array<int32_t, 8> KeyNumbers(const OrderingQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey): the four values in lowest terms
  // and increasing order, so that 4/8 is 1/2 and the list in any order one
  // question.
  std::string RepeatKey(const OrderingQuestion& q) const;
  // num1, den1, ..., num4, den4 as shown.
  QuestionFields Fields(const OrderingQuestion& q, const ExerciseOptions& options) const;
  // "3/4 ; 2/3 ; 5/6 ; 7/12 : 7/12 < 2/3 < 3/4 < 5/6"
  std::string Text(const OrderingQuestion& q, const ExerciseOptions& options) const;
  // The key as printed: "7/12 < 2/3 < 3/4 < 5/6".
  std::string Answer(const OrderingQuestion& q, const ExerciseOptions& options) const;
  // The worked key: one chain per fraction not over the least common
  // denominator L of the four yet, in the order shown, to its writing over
  // L ("3/4 = (3×3)/(4×3) = 9/12"); then one chain of one expression: the
  // four over L in increasing order, "donc" the four given in that order
  // ("7/12 < 8/12 < 9/12 < 10/12 donc 7/12 < 2/3 < 3/4 < 5/6"); over one
  // denominator as given, its numerators: "même dénominateur : 1 < 3 < 5 <
  // 7 donc 1/9 < 3/9 < 5/9 < 7/9".
  WorkedSteps Steps(const OrderingQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const OrderingKind&, const OrderingKind&) = default;
};

}  // namespace fractions
