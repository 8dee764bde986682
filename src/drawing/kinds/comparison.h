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
  // of two of them (at most 132) is still reckoned by hand. A class level
  // bounds them in its own row (comparison.cpp): tenths at CM2, twentieths
  // at 3e.
  static constexpr int32_t kLargestTerm = 12;

  // About one question in eight, and never more: two writings of one
  // value, "2/3 = 4/6".
  static constexpr int32_t kEqualPairsOneIn = 8;
  // About one question in five, and never more: a pair decided at a
  // glance, on either side of 1 ("3/4 ..... 7/5") or of opposite signs.
  // Comparing with 1 is a technique worth a few questions, not half the
  // sheet.
  static constexpr int32_t kGlancePairsOneIn = 5;
  // At 5e about one question in four has one numerator and two
  // denominators, "3/5 ..... 3/7": comparing them needs no common
  // denominator.
  static constexpr int32_t kOneNumeratorOneIn = 4;

  // Draws `count` distinct questions: numerators in 1..m, denominators in
  // 2..m, m the largest term but at most kLargestTerm (at a level, at most
  // its row's bound), the denominators related as the options say (with
  // one denominator for both, no pair is equal; a pair with one numerator
  // takes any two). No fraction is a whole number (a/1, a/a, 6/3), none is
  // zero, and the two are never one fraction written twice. Each position
  // of the sheet is drawn as a pair of equal values, a pair decided at a
  // glance, (at 5e) a pair with one numerator, or another pair, with the
  // chances above; the first two are capped at their share of the sheet
  // (a sheet of fewer than 5 or 8 holds none). With negative numbers each
  // numerator is negative or positive, half and half. "a/b ... c/d" and
  // "c/d ... a/b" are one question, asked once a sheet. Empties the
  // question table first and leaves the keys in it. Throws
  // TooFewQuestions, with the most questions the settings give a sheet,
  // when they do not give `count`.
  std::vector<ComparisonQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                       const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: a, b, c, d, signed.
  std::array<int32_t, 4> KeyNumbers(const ComparisonQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey): the same for the pair compared
  // either way.
  std::string RepeatKey(const ComparisonQuestion& q) const;
  QuestionFields Fields(const ComparisonQuestion& q, const ExerciseOptions& options) const;
  // "3/4 > 5/7", "-2/3 < -4/7", "2/3 = 4/6"
  std::string Text(const ComparisonQuestion& q, const ExerciseOptions& options) const;
  // The key as printed: the same as Text.
  std::string Answer(const ComparisonQuestion& q, const ExerciseOptions& options) const;
  // The worked key, every row with its reason, the last one ending
  // "donc" the comparison asked:
  // - opposite signs: "-2/3 < 0 et 1/4 > 0 donc -2/3 < 1/4";
  // - on either side of 1: "3/4 < 1 et 7/5 > 1 donc 3/4 < 7/5";
  // - one denominator: "même dénominateur : 3 < 6 donc 3/12 < 6/12";
  // - one positive numerator (from 5e on, and at Libre): "même numérateur :
  //   5 < 7 donc 3/5 > 3/7";
  // - otherwise one chain per fraction not over the least common
  //   denominator L yet, "3/4 = (3×3)/(4×3) = 9/12", then "9/12 > 5/12 donc
  //   3/4 > 5/12".
  WorkedSteps Steps(const ComparisonQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const ComparisonKind&, const ComparisonKind&) = default;
};

}  // namespace fractions
