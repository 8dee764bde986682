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

// a/b = c/d: two different writings of one value, neither whole; the
// subject leaves the term `missing` as a gap: 0 is a, 1 is b, 2 is c, 3 is
// d ("..../12 = 15/36" leaves a, "3/4 = ..../20" leaves c).
struct EqualFractionsQuestion {
  int32_t a, b, c, d;
  int32_t missing;
  friend bool operator==(const EqualFractionsQuestion&, const EqualFractionsQuestion&) = default;
};

// Equal fractions, a term to complete: "3/4 = ..../20", "3/4 = 15/....",
// as 6e and 5e set them: multiply or divide both terms by one number.
struct EqualFractionsKind {
  using Question = EqualFractionsQuestion;

  static constexpr OptionUse kOptionUse{};

  // The terms of the value's irreducible form stay this small whatever the
  // largest term beyond it: halves to twelfths, as in the textbooks.
  static constexpr int32_t kLargestIrreducibleTerm = 12;
  // Each side is the irreducible form with both terms multiplied by a
  // factor from 1 to this, the two factors different: no term over 120.
  static constexpr int32_t kLargestFactor = 10;

  // Draws `count` distinct questions: a value p/q irreducible and not whole
  // (p in 1..largest_term, q in 2..largest_term, both at most
  // kLargestIrreducibleTerm), each side p/q times its factor, so that at
  // most one side is irreducible and no side is a/a or a/1. Each such
  // equality is as likely. The missing term is in each of the four places
  // as often, give or take one, in a random order. An equality is asked
  // once a sheet, whatever its gap and whichever side stands first. No
  // option changes the draw. Empties the question table first and leaves
  // the keys in it. Throws TooFewQuestions when the settings do not give
  // `count`.
  //
  // At a level, what its class is set, each value p/q as likely, then each
  // pair of factors that keeps every term within the level's: in CM2 terms
  // up to 12 and one side the other times a whole number (3/4 = 9/12,
  // 4/6 = 8/12, never 6/8 = 9/12 through 3/4); in 6e the same up to 20; in
  // 5e terms up to 60, at most a third of the sheet through the
  // irreducible form; in 4e a value up to tenths, so terms up to 100; in
  // 3e as without a level.
  std::vector<EqualFractionsQuestion> Draw(int32_t largest_term, int32_t count,
                                           DrawingContext& context,
                                           const ExerciseOptions& options = {}) const;
  // The numbers that make the question as the sheet shows it, in order:
  // a, b, c, d, missing.
  std::array<int32_t, 5> KeyNumbers(const EqualFractionsQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey): the two sides, the smaller
  // first, without the gap.
  std::string RepeatKey(const EqualFractionsQuestion& q) const;
  QuestionFields Fields(const EqualFractionsQuestion& q, const ExerciseOptions& options) const;
  // The whole equality: "3/4 = 15/20".
  std::string Text(const EqualFractionsQuestion& q, const ExerciseOptions& options) const;
  // The key as printed, the whole equality: "3/4 = 15/20".
  std::string Answer(const EqualFractionsQuestion& q, const ExerciseOptions& options) const;
  // The equality as the subject draws it, the missing term a gap
  // ("3/4 = ..../20"), or as the key draws it, that term in bold.
  StepExpression Equality(const EqualFractionsQuestion& q, bool answered) const;
  // The worked key, one chain from the given fraction (the side without
  // the gap) to the completed one, its found term in bold: "3/4 =
  // (3×5)/(4×5) = 15/20" when the given terms divide the others, "15/36 =
  // (5×3)/(12×3) = 5/12" when they are multiples of them, otherwise through
  // the irreducible form, "6/8 = (3×2)/(4×2) = 3/4 = (3×3)/(4×3) = 9/12".
  WorkedSteps Steps(const EqualFractionsQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const EqualFractionsKind&, const EqualFractionsKind&) = default;
};

}  // namespace fractions
