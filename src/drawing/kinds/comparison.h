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

// a/b compared with c/d, the fractions as the question writes them (not
// necessarily irreducible, the numerators signed with negative numbers);
// compare is the sign of a/b − c/d: −1, 0 or 1.
struct ComparisonQuestion {
  int32_t a, b, c, d;
  int32_t compare;
  friend bool operator==(const ComparisonQuestion&, const ComparisonQuestion&) = default;
};

// Comparing two fractions with <, > or =: "3/4 ..... 5/7" asks for
// "3/4 > 5/7", as the textbooks set it from 6e to 4e.
struct ComparisonKind {
  using Question = ComparisonQuestion;

  static constexpr OptionUse kOptionUse{
      .multiple_denominators = true, .same_denominators = true, .negatives = true};

  // Terms stay this small whatever the largest term beyond it: the
  // textbooks compare fractions up to twelfths, and the common denominator
  // of two of them (at most 132) is still reckoned by hand.
  static constexpr int32_t kLargestTerm = 12;

  // About one question in eight: two writings of one value, "2/3 = 4/6".
  static constexpr int32_t kEqualPairsOneIn = 8;

  // Draws `count` distinct questions: numerators in 1..m, denominators in
  // 2..m, m the largest term but at most kLargestTerm, the denominators
  // related as the options say (with one denominator for both, no pair is
  // equal). No fraction is a whole number (a/1, a/a, 6/3), none is zero,
  // and the two are never one fraction written twice. Each position of the
  // sheet is a pair of equal values with chance 1 in kEqualPairsOneIn, when
  // the options allow one; with negative numbers each numerator is negative
  // or positive, half and half. "a/b ... c/d" and "c/d ... a/b" are two
  // questions. Empties the question table first and leaves the keys in it.
  // Throws TooFewQuestions, with the number of different questions, when
  // the settings do not give `count`.
  std::vector<ComparisonQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                       const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b, c, d, signed.
  std::array<int32_t, 4> KeyNumbers(const ComparisonQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey).
  std::string RepeatKey(const ComparisonQuestion& q) const;
  QuestionFields Fields(const ComparisonQuestion& q, const ExerciseOptions& options) const;
  // "3/4 > 5/7", "-2/3 < -4/7", "2/3 = 4/6"
  std::string Text(const ComparisonQuestion& q, const ExerciseOptions& options) const;
  // The key as printed: the same as Text.
  std::string Answer(const ComparisonQuestion& q, const ExerciseOptions& options) const;
  // The worked key: one chain per fraction, ending over the least common
  // denominator L of b and d ("3/4 = (3×7)/(4×7) = 21/28", a fraction over
  // L already alone), then one chain of one expression: the two over L
  // compared, "donc", the two given fractions compared ("21/28 > 20/28
  // donc 3/4 > 5/7"). When both were over L already the reason would only
  // write the conclusion again: the comparison stands alone.
  WorkedSteps Steps(const ComparisonQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const ComparisonKind&, const ComparisonKind&) = default;
};

}  // namespace fractions
