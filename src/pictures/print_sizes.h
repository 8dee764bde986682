#pragma once

// The sizes a worksheet is set in: the standard ones, or large print for
// pupils who need larger characters and more room. Plain C++, no Qt, so
// that whatever holds a worksheet's settings can carry the choice.
namespace fractions {

// How much larger than the standard layout the exercise-line pictures are
// drawn. Every length of the standard layout (the fraction areas, the bars
// and their thickness, the gaps, the pictures' sizes) is multiplied by
// numerator / denominator and rounded to the nearest whole pixel, halves
// up; the fonts are their point sizes so multiplied. 1:1 draws the
// standard pixels exactly.
class LineScale {
 public:
  constexpr LineScale() = default;
  constexpr LineScale(int numerator, int denominator)
      : numerator_(numerator), denominator_(denominator) {}

  // A length of the standard layout (0 or more pixels), in this layout's.
  constexpr int operator()(int standard) const {
    return (2 * standard * numerator_ + denominator_) / (2 * denominator_);
  }
  // A font of `points` points, in pixels at 96 dots per inch (a point is
  // 4/3 of a pixel there), rounded as lengths are.
  constexpr int FontPixels(int points) const {
    return (2 * 4 * points * numerator_ + 3 * denominator_) / (2 * 3 * denominator_);
  }

  constexpr int Numerator() const { return numerator_; }
  constexpr int Denominator() const { return denominator_; }
  constexpr bool operator==(const LineScale&) const = default;

 private:
  int numerator_ = 1;
  int denominator_ = 1;
};

// The sizes of one worksheet's documents, subject and answer key alike.
// Text sizes are in half points, as RTF's "\fs" counts them.
struct DocumentSizes {
  LineScale pictures;
  int header_half_points;   // the document name, "Sujet k/n", "Corrigé"
  int title_half_points;    // the title line the teacher typed, after them
  int text_half_points;     // the instruction, the separator lines, blank lines
  int heading_half_points;  // an exercise's heading on a sheet of several
  int spacing_factor;       // blank lines between questions per unit of the setting
  // The title on a line of its own under the document name, rather than
  // after it: at 16 points the window's default title no longer fits
  // beside the name on an A4 page between 15 mm margins.
  bool title_on_own_line;
};

// Arial 9 points throughout, 10 for headings, the pictures as drawn at 96
// dots per inch.
inline constexpr DocumentSizes kStandardSizes{{1, 1}, 18, 18, 18, 20, 1, false};
// 16 points for the title line, 14 for the rest, pictures half as large
// again (a row 42 pixels high instead of 28), twice the room between
// questions, the title under the document name: what French schools ask
// for pupils with a support plan.
inline constexpr DocumentSizes kLargePrintSizes{{3, 2}, 28, 32, 28, 28, 2, true};

static_assert(kLargePrintSizes.pictures(28) == 42 && kLargePrintSizes.pictures.FontPixels(8) == 16);
static_assert(kStandardSizes.pictures(19) == 19 && kStandardSizes.pictures.FontPixels(8) == 11);

constexpr const DocumentSizes& SizesFor(bool large_print) {
  return large_print ? kLargePrintSizes : kStandardSizes;
}

}  // namespace fractions
