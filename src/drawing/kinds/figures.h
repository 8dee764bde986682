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

// What a shaded-figure exercise asks: to read the fraction a figure's
// hatched parts make, or to hatch a given fraction of a figure.
enum class FigureForm { kRead, kShade };

// The figures a fraction is shown on; the numbers are the JSON's and the
// question key's.
enum class FigureShape : int32_t {
  kStrip = 0,  // one row of equal parts
  kGrid = 1,   // a rectangle cut into rows × columns equal cells
  kDisc = 2,   // a disc cut into equal sectors, given as `columns` in one row
};

// One question: `figures` copies of one figure side by side, each cut into
// rows × columns parts. The fraction num/den is the one the key reads or
// the subject asks; the hatched parts of the key, all figures together, over
// the parts of one figure are worth num/den exactly.
//
// hatched[f] says which parts of figure f (0 the leftmost) the key hatches,
// bit i for part i in reading order: a strip's parts from the left; a
// grid's cells row by row from the top, each row from the left (cell
// row × columns + column); a disc's sectors clockwise from the one that
// starts at the top. The figures after the last are 0. The figures before
// the last are hatched whole, the last in part: never none of it, never
// all of it.
struct FigureQuestion {
  FigureShape shape;
  int32_t rows, columns;
  int32_t figures;
  // The key's fraction: with kRead the hatched parts over the parts of one
  // figure as a pupil reads them, not always irreducible (6/8); with
  // kShade the fraction the subject asks for, irreducible (3/4).
  int32_t num, den;
  std::array<uint32_t, 3> hatched;

  int32_t PartCount() const { return rows * columns; }  // of one figure
  int32_t Shaded() const;                               // hatched, all figures together
  friend bool operator==(const FigureQuestion&, const FigureQuestion&) = default;
};

// Shaded figures, as cycle 3 and 6e first meet fractions: "Quelle fraction
// de la figure est coloriée ?" (kRead) and "Colorier la fraction indiquée
// de chaque figure" (kShade). Both forms draw and write through this one
// kind, told apart by `form`.
struct FigureKind {
  using Question = FigureQuestion;

  static constexpr OptionUse kOptionUse{.mixed = true};

  // The irreducible denominator stays this small whatever the largest term
  // beyond it: halves to twelfths, as in the textbooks.
  static constexpr int32_t kLargestDenominator = 12;
  static constexpr int32_t kLargestStrip = 24;  // parts of a strip
  static constexpr int32_t kLargestGridRows = 4;
  static constexpr int32_t kLargestGridColumns = 6;
  // Sectors of a disc: more would not read on a disc of printable size.
  static constexpr int32_t kLargestDisc = 12;
  // Figures side by side for a fraction greater than 1, which only the
  // mixed-number option allows: values up to (not including) this many
  // wholes.
  static constexpr int32_t kMostFigures = 3;

  FigureForm form;

  // Of a sheet to shade, at most one question in this many asks for a half
  // of a figure (1/2, 3/2, 5/2); a sheet of fewer asks none.
  static constexpr int32_t kOneHalfIn = 10;

  // Draws `count` questions a pupil sees as different (see RepeatKey). Each
  // is a shape, each as likely, then a size among those the class level
  // cuts a figure into, each as likely, and a fraction whose irreducible
  // denominator q is in 2..min(largest_term, kLargestDenominator) and
  // divides the figure's parts: never whole, never 0. "Libre" draws every
  // size: a strip of 2 to kLargestStrip parts, a grid of 2 to
  // kLargestGridRows rows and 2 to kLargestGridColumns columns, a disc of 2
  // to kLargestDisc sectors; a level fewer (halves to tenths at CM2, finer
  // strips and grids from class to class, see the rows in figures.cpp).
  // The size and the fraction are drawn again together until they fit, so
  // a size that allows few fractions comes up less often (a strip of 22
  // parts at largest term 9 only as 11/22). Without mixed numbers the
  // fraction is smaller than 1, on one figure; with them, one question in
  // two is smaller than 1, the others take 2 or 3 figures, as likely, and
  // lie between 1 and 2 or between 2 and 3.
  //
  // kRead: the number of parts hatched in the last figure is drawn, each
  // as likely, and num/den is the hatched parts over the parts of one
  // figure (6/8). Where they lie is drawn too: one question in two hatches
  // a run of consecutive parts in reading order (around the disc, from any
  // sector), as most textbook figures do, the other any parts, each set as
  // likely, so that a pupil counts the parts rather than recognises a
  // half or a quarter.
  //
  // kShade: num/den irreducible, each such numerator as likely, and the
  // key hatches the first parts in reading order, as a pupil colours them;
  // halves no more often than kOneHalfIn allows.
  //
  // Empties the question table first and leaves the keys in it. Throws
  // TooFewQuestions when the settings do not give `count`.
  std::vector<FigureQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                   const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: shape, rows, columns,
  // figures, num, den and the three hatched masks (for kShade they follow
  // from the rest).
  std::array<int32_t, 9> KeyNumbers(const FigureQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey): the figure, how many there are
  // and the fraction, not where the parts are hatched, so that a sheet
  // never has a pupil read the same count off the same figure twice.
  std::string RepeatKey(const FigureQuestion& q) const;
  // Whether a question to shade asks for a half of a figure.
  bool AsksHalf(const FigureQuestion& q) const;
  // shape (0 strip, 1 grid, 2 disc), rows, columns, parts, figures, shaded,
  // num, den; the mixed form of the irreducible value when the options ask
  // for it.
  QuestionFields Fields(const FigureQuestion& q, const ExerciseOptions& options) const;
  // The same as Answer.
  std::string Text(const FigureQuestion& q, const ExerciseOptions& options) const;
  // kRead: the fraction read and its irreducible form when it reduces, the
  // mixed form when the options ask for it: "6/8 = 3/4", "3/4",
  // "7/4 = 1 + 3/4". kShade: the fraction and the parts to hatch,
  // "3/4 : 6 parts sur 8", "1/3 : 1 part sur 3", "7/4 : 1 figure entière
  // et 3 parts sur 4"
  // (Windows-1252).
  std::string Answer(const FigureQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain. kRead: the fraction read, reduced when it
  // reduces, "6/8 = (3×2)/(4×2) = 3/4", then the mixed form when asked.
  // kShade: from the fraction asked to the parts hatched, "3/4 =
  // (3×2)/(4×2) = 6/8"; greater than 1, through its whole figures first,
  // "7/4 = 1 + 3/4 = 1 + (3×2)/(4×2) = 1 + 6/8", "7/4 = 1 + 3/4" on
  // figures of 4 parts; a fraction smaller than 1 alone when the figure has
  // den parts.
  WorkedSteps Steps(const FigureQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const FigureKind&, const FigureKind&) = default;
};

}  // namespace fractions
