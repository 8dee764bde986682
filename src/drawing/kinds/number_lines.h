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

// What a number-line exercise asks: read the abscissas of points drawn on
// the line, or place points whose abscissas are given.
enum class NumberLineForm { kRead, kPlace };

// One point of a graduated line: the tick it stands on, counted from 0 at
// the origin, and its abscissa tick/unit_parts in lowest terms (den 1 for a
// whole number).
struct NumberLinePoint {
  int32_t tick;
  int32_t num, den;
  friend bool operator==(const NumberLinePoint&, const NumberLinePoint&) = default;
};

// A graduated half-line from 0, `units` units long, each unit cut into
// `unit_parts` equal parts, so its ticks are 0 to unit_parts × units; and
// the points A, B, C in the order of their letters, on three different
// ticks, none at 0.
struct NumberLineQuestion {
  int32_t unit_parts;
  int32_t units;
  std::array<NumberLinePoint, 3> points;
  friend bool operator==(const NumberLineQuestion&, const NumberLineQuestion&) = default;
};

// Points on a graduated half-line, as CM1, CM2 and 6e set them: the
// abscissas of three points to read off the line ("A(3/4) ; B(5/4) ;
// C(2)"), or three points to place from their abscissas. Both forms draw
// their questions alike; the picture tells them apart.
struct NumberLineKind {
  using Question = NumberLineQuestion;

  static constexpr OptionUse kOptionUse{};

  // A unit is cut into halves to twelfths whatever the largest term beyond
  // it: the ticks of a unit cut finer no longer read.
  static constexpr int32_t kLargestSubdivision = 12;
  // The line is at most this many units long.
  static constexpr int32_t kLargestUnits = 3;

  NumberLineForm form;

  // Draws `count` distinct questions: a line (unit_parts in 2..largest_term,
  // at most kLargestSubdivision; units in 1..kLargestUnits) with at least
  // three ticks beyond 0, each such line as likely; then three different
  // ticks of it beyond 0 for A, B and C, each ordered choice as likely,
  // except that the three are never all whole numbers (nothing to read as
  // a fraction then). Each of the six orders of the letters along the line
  // is as likely: A, B, C from left to right one question in six. No
  // option changes the draw. Empties the question table first and leaves
  // the keys in it. Throws TooFewQuestions when the settings do not give
  // `count`: never within kLargestTermRange, whose smallest largest term, 9,
  // gives 61,416 questions (56,853 different keys), and 12 or more 192,588.
  std::vector<NumberLineQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                       const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: unit_parts, units,
  // and the ticks of A, B and C. The form is not part of it.
  std::array<int32_t, 5> KeyNumbers(const NumberLineQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey).
  std::string RepeatKey(const NumberLineQuestion& q) const;
  // unit_parts, units, then for each point its tick and abscissa: a_tick,
  // a_num, a_den, b_tick, ..., c_den (a whole number over 1).
  QuestionFields Fields(const NumberLineQuestion& q, const ExerciseOptions& options) const;
  // The three points with their abscissas in lowest terms, a whole number
  // as such: "A(3/4) ; B(5/4) ; C(2)". The key of a line to read; the
  // points to place on the other form, whose key is the picture.
  std::string Text(const NumberLineQuestion& q, const ExerciseOptions& options) const;
  // The key as printed: the same as Text.
  std::string Answer(const NumberLineQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain per point in the order of the letters, from
  // the ticks counted to the lowest terms: "6/4 = (3×2)/(2×2) = 3/2", "8/4
  // = (2×4)/4 = 2", a fraction in lowest terms alone, "3/4"; placing,
  // the other way, from the abscissa given to the ticks to count, "3/2 =
  // (3×2)/(2×2) = 6/4".
  WorkedSteps Steps(const NumberLineQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const NumberLineKind&, const NumberLineKind&) = default;
};

}  // namespace fractions
