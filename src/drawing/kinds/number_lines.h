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
// the origin (negative left of it), and its abscissa tick/unit_parts in
// lowest terms (den 1 for a whole number, num negative left of 0).
struct NumberLinePoint {
  int32_t tick;
  int32_t num, den;
  friend bool operator==(const NumberLinePoint&, const NumberLinePoint&) = default;
};

// A graduated line, each unit cut into `unit_parts` equal parts, running
// from -negative_units to `units`: a half-line from 0 when negative_units
// is 0, its ticks 0 to unit_parts × units; otherwise a line through 0,
// its ticks -unit_parts × negative_units to unit_parts × units. The points
// A, B, C in the order of their letters stand on three different ticks,
// none at 0.
struct NumberLineQuestion {
  int32_t unit_parts;
  int32_t units;
  std::array<NumberLinePoint, 3> points;
  int32_t negative_units = 0;

  int32_t FirstTick() const { return -unit_parts * negative_units; }
  int32_t LastTick() const { return unit_parts * units; }
  friend bool operator==(const NumberLineQuestion&, const NumberLineQuestion&) = default;
};

// Points on a graduated line, as CM1 to 3e set them: the abscissas of
// three points to read off the line ("A(3/4) ; B(5/4) ; C(2)"), or three
// points to place from their abscissas. Both forms draw their questions
// alike; the picture tells them apart.
struct NumberLineKind {
  using Question = NumberLineQuestion;

  static constexpr OptionUse kOptionUse{};

  // A unit is cut into halves to twelfths whatever the largest term beyond
  // it: the ticks of a unit cut finer no longer read.
  static constexpr int32_t kLargestSubdivision = 12;
  // A half-line is at most this many units long.
  static constexpr int32_t kLargestUnits = 3;
  // A line through 0 at most this many, on both sides together.
  static constexpr int32_t kLargestRelativeUnits = 4;
  // No line holds more ticks beyond its first: 36 ticks 4 mm apart fit
  // the width of a page at both print sizes.
  static constexpr int32_t kLargestTicks = 36;

  NumberLineForm form;

  // Draws `count` questions, no two on one line with the same three
  // abscissas whatever their letters. Each class draws its own lines (the
  // rows in number_lines.cpp): a half-line from 0 at Libre, CM2, 6e and
  // 5e, its unit cut into the parts that class is set (CM2 2, 3, 4, 5 or
  // 10; 6e also 6, 8 and 12; 5e and Libre 2 to 12), 1 to kLargestUnits
  // units long, with at least three ticks beyond 0; a line through 0 in
  // 4e (2, 3, 4, 5, 6, 8 or 10 parts) and 3e (2 to 12), from -k to m
  // units, k and m at least 1, k + m at most kLargestRelativeUnits and
  // kLargestTicks ticks. The parts never exceed the largest term. Each
  // such line is as likely; then three different ticks of it, none at 0,
  // each ordered choice as likely, except that the three are never all
  // whole numbers (nothing to read as a fraction then) and, through 0,
  // stand on both sides of it. Each of the six orders of the letters
  // along the line is as likely. No option but the level changes the
  // draw. Empties the question table first and leaves the keys in it.
  // Throws TooFewQuestions when the settings do not give `count`: never
  // within kLargestTermRange.
  std::vector<NumberLineQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                       const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: unit_parts, the
  // line's first unit (-negative_units), units, and the ticks of A, B and
  // C. The form is not part of it.
  std::array<int32_t, 6> KeyNumbers(const NumberLineQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already: its
  // line and its ticks from left to right, whatever their letters, kept
  // apart (see SeparatedKey), "4,0,2,3,5,8".
  std::string RepeatKey(const NumberLineQuestion& q) const;
  // unit_parts, units, negative_units on a line through 0 only, then the
  // points, each its letter and its abscissa in lowest terms (a whole
  // number over 1).
  QuestionFields Fields(const NumberLineQuestion& q, const ExerciseOptions& options) const;
  // The three points with their abscissas in lowest terms, a whole number
  // as such: "A(3/4) ; B(5/4) ; C(2)", "A(-3/4) ; ...". The key of a line
  // to read; the points to place on the other form, whose key is the
  // picture.
  std::string Text(const NumberLineQuestion& q, const ExerciseOptions& options) const;
  // The key as printed: the same as Text.
  std::string Answer(const NumberLineQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain per point in the order of the letters, from
  // the ticks counted to the lowest terms: "6/4 = (3×2)/(2×2) = 3/2", "8/4
  // = (2×4)/4 = 2", "−6/4 = −(3×2)/(2×2) = −3/2", a fraction in lowest
  // terms alone, "3/4"; placing, the other way, from the abscissa given
  // to the ticks to count, "3/2 = (3×2)/(2×2) = 6/4".
  WorkedSteps Steps(const NumberLineQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const NumberLineKind&, const NumberLineKind&) = default;
};

}  // namespace fractions
