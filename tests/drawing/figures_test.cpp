// Shaded figures, read and shaded, over many seeds, largest terms and
// options: each figure of an allowed shape and size, its hatched parts worth
// the key's fraction exactly (rationals computed here), whole figures first
// and the shaded form's parts the first ones; the worked chain keeps the
// value and ends where a teacher ends it; the textbook examples, written
// out; each class's figures, and its halves to shade.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drawing/kinds/figures.h"
#include "exact_value.h"
#include "level_sheet.h"

namespace fractions {
namespace {

using Q = testing::Exact;

std::string Ascii(Q v) {
  return "((" + std::to_string(static_cast<long long>(v.n)) + ")/(" +
         std::to_string(static_cast<long long>(v.d)) + "))";
}

TEST(Figures, EveryFigureHoldsItsFractionExactly) {
  std::vector<ExerciseOptions> option_sets{{}, {.mixed = true}};
  for (const LevelPreset& preset : LevelPresets())
    option_sets.push_back(preset.options);
  // Largest rows and columns of a strip, a grid and a disc.
  const std::array<std::pair<int, int>, 3> largest{{{1, 24}, {4, 6}, {1, 12}}};
  for (const FigureForm form : {FigureForm::kRead, FigureForm::kShade}) {
    for (const int32_t m : {9, 12, 20, 500}) {
      SCOPED_TRACE(::testing::Message() << "form " << static_cast<int>(form) << " m " << m);
      std::set<int> shapes;
      int32_t widest = 0, most_figures = 0;
      bool scattered = false;
      for (uint32_t seed = 1; seed <= 12 * option_sets.size(); ++seed) {
        const ExerciseOptions& options = option_sets[seed % option_sets.size()];
        LcgRandom random(seed * 104729u);
        QuestionTable table;
        DrawingContext context{random, table};
        const int count = seed % 3 == 0 ? 13 : kMaxQuestions;
        const std::vector<FigureQuestion> drawn = FigureKind{form}.Draw(m, count, context, options);
        ASSERT_EQ(drawn.size(), static_cast<size_t>(count));
        for (const FigureQuestion& q : drawn) {
          const int shape = static_cast<int>(q.shape), parts = q.rows * q.columns;
          SCOPED_TRACE(::testing::Message() << shape << ": " << q.rows << "x" << q.columns << " x"
                                            << q.figures << " " << q.num << "/" << q.den);
          ASSERT_TRUE(shape >= 0 && shape <= 2 && q.figures >= 1 &&
                      q.figures <= (options.mixed ? 3 : 1));
          const auto [most_rows, most_columns] = largest[static_cast<size_t>(shape)];
          EXPECT_TRUE(q.rows <= most_rows && (shape == 1) == (q.rows >= 2) && q.columns >= 2 &&
                      q.columns <= most_columns && parts <= 24);
          // Whole figures, then one hatched in part, then none.
          int shaded = 0;
          for (int f = 0; f < 3; ++f) {
            const uint32_t mask = q.hatched[static_cast<size_t>(f)];
            const int n = std::popcount(mask);
            shaded += n;
            EXPECT_EQ(mask >> parts, 0u) << "a part beyond the figure";
            EXPECT_TRUE(f < q.figures - 1    ? n == parts
                        : f == q.figures - 1 ? n > 0 && n < parts
                                             : n == 0)
                << "figure " << f << ": " << n;
          }
          const uint32_t last = q.hatched[static_cast<size_t>(q.figures - 1)];
          const Q value = Q::Of(q.num, q.den);
          EXPECT_EQ(Q::Of(shaded, parts), value);
          EXPECT_TRUE(value.d >= 2 && value.d <= std::min(m, 12) && parts % value.d == 0);
          if (form == FigureForm::kRead) {
            EXPECT_TRUE(q.num == shaded && q.den == parts);
            // A run of a strip or a grid has its bits together.
            scattered |= shape != 2 && !std::has_single_bit(last + (last & (~last + 1)));
          } else {
            EXPECT_EQ(value.d, q.den) << "asked reducible";
            EXPECT_TRUE(std::has_single_bit(last + 1)) << "not the first parts: " << last;
          }
          shapes.insert(shape);
          widest = std::max(widest, static_cast<int32_t>(value.d));
          most_figures = std::max(most_figures, q.figures);
          EXPECT_EQ(FigureKind{form}.Fields(q, options).numbers.at(4).second, shaded);

          // The chain keeps the value up to the irreducible fraction read,
          // or to the parts a pupil hatches in the last figure.
          const std::vector<std::vector<std::string>> steps =
              AsciiSteps(FigureKind{form}.Steps(q, options));
          for (const std::string& step : steps.at(0))
            EXPECT_EQ(testing::ExactEvaluator::Evaluate(step), value) << step;
          const int wholes = q.figures - 1;
          const std::string before = wholes > 0 ? std::to_string(wholes) + " + " : "";
          EXPECT_EQ(steps[0].back(), form == FigureForm::kShade
                                         ? before + Ascii(Q{std::popcount(last), parts})
                                     : options.mixed ? before + Ascii(value - Q{wholes, 1})
                                                     : Ascii(value));
        }
      }
      EXPECT_EQ(shapes.size(), 3u);
      EXPECT_EQ(most_figures, 3) << "with mixed numbers, up to 3 figures";
      EXPECT_EQ(widest, std::min(m, 12)) << "the whole range of denominators";
      EXPECT_EQ(scattered, form == FigureForm::kRead) << "hatched parts anywhere, or the first";
    }
  }
}

TEST(FiguresText, KeysAndChainsAreWrittenAsOnTheBoard) {
  const FigureKind read{FigureForm::kRead}, shade{FigureForm::kShade};
  const ExerciseOptions mixed{.mixed = true};
  constexpr auto kStrip = FigureShape::kStrip, kGrid = FigureShape::kGrid,
                 kDisc = FigureShape::kDisc;
  // The question, then its key and its worked chain, "answer | step = step".
  const auto written = [&](const FigureKind& kind, const FigureQuestion& q,
                           const ExerciseOptions& options) {
    std::string text = kind.Answer(q, options) + " |";
    const std::vector<std::vector<std::string>> steps = AsciiSteps(kind.Steps(q, options));
    for (const std::string& step : steps.at(0))
      text += " " + step + " =";
    return text.substr(0, text.size() - 2);
  };
  const FigureQuestion seven_quarters{kDisc, 1, 4, 2, 7, 4, {0b1111, 0b0111, 0}};
  const std::vector<std::pair<std::string, std::string>> rows = {
      {written(read, {kStrip, 1, 8, 1, 6, 8, {0b10111011, 0, 0}}, {}),
       "6/8 = 3/4 | ((6)/(8)) = ((3*2)/(4*2)) = ((3)/(4))"},
      {written(read, {kDisc, 1, 4, 1, 3, 4, {0b1011, 0, 0}}, {}), "3/4 | ((3)/(4))"},
      {written(read, seven_quarters, mixed), "7/4 = 1 + 3/4 | ((7)/(4)) = 1 + ((3)/(4))"},
      {written(shade, {kStrip, 1, 8, 1, 3, 4, {0b00111111, 0, 0}}, {}),
       "3/4 : 6 parts sur 8 | ((3)/(4)) = ((3*2)/(4*2)) = ((6)/(8))"},
      {written(shade, {kDisc, 1, 3, 1, 1, 3, {0b001, 0, 0}}, {}), "1/3 : 1 part sur 3 | ((1)/(3))"},
      {written(shade, seven_quarters, mixed),
       "7/4 : 1 figure enti\xE8re et 3 parts sur 4 | ((7)/(4)) = 1 + ((3)/(4))"},
      {written(shade, {kGrid, 2, 3, 3, 8, 3, {0x3F, 0x3F, 0b1111}}, mixed),
       "8/3 : 2 figures enti\xE8res et 4 parts sur 6 | ((8)/(3)) = 2 + ((2)/(3)) = "
       "2 + ((2*2)/(3*2)) = 2 + ((4)/(6))"},
  };
  for (const auto& [got, want] : rows)
    EXPECT_EQ(got, want);
  // 7/4 on two discs in quarters: 7 parts hatched of figures of 4.
  std::string fields = shade.Fields(seven_quarters, mixed).words.at(0).second + std::string(" ");
  for (const auto& [name, value] : shade.Fields(seven_quarters, mixed).numbers)
    fields += std::string(name) + "=" + std::to_string(value) + " ";
  EXPECT_EQ(fields, "disc rows=1 columns=4 parts=4 figures=2 shaded=7 num=7 den=4 ");
  EXPECT_EQ(shade.Fields(seven_quarters, mixed).mixed, (MixedNumber{1, 3, 4}));
  // The same fraction read off other hatched parts is another question.
  FigureQuestion moved = seven_quarters;
  moved.hatched[1] = 0b1110;
  EXPECT_NE(QuestionKey(read.KeyNumbers(seven_quarters)), QuestionKey(read.KeyNumbers(moved)));
}

// What each class cuts a figure into: a strip's and a disc's part counts,
// a grid's rows (least, most) and most columns.
struct ClassFigures {
  Level level;
  std::set<int32_t> strips;
  int least_rows, most_rows, most_columns;
  std::set<int32_t> discs;
};

const ClassFigures kClasses[] = {
    {Level::kFree, testing::Range(2, 24), 2, 4, 6, testing::Range(2, 12)},
    {Level::kCM2, {2, 3, 4, 5, 6, 8, 10}, 2, 2, 5, {2, 3, 4, 5, 6, 8}},
    {Level::k6e, testing::Range(2, 12), 2, 3, 4, testing::Range(2, 12)},
    {Level::k5e, testing::Range(2, 16), 2, 4, 4, testing::Range(2, 12)},
    {Level::k4e, testing::Range(2, 20), 2, 4, 5, testing::Range(2, 12)},
    {Level::k3e, testing::Range(2, 24), 2, 4, 6, testing::Range(2, 12)},
};

// Every figure of a class's programme and no other; halves to shade, the
// easiest, at most one question in ten, on sheets of 9, 10, 25 and 40.
TEST(FigureLevels, EachClassDrawsEveryFigureOfItsProgrammeAndFewHalves) {
  for (const FigureForm form : {FigureForm::kRead, FigureForm::kShade}) {
    for (const ClassFigures& row : kClasses) {
      SCOPED_TRACE(::testing::Message() << "form " << static_cast<int>(form) << " level "
                                        << static_cast<int>(row.level));
      // Every figure whose parts some denominator up to 12 divides.
      std::set<std::array<int, 3>> wanted, seen;
      const auto fits = [](int parts) {
        for (int d = 2; d <= 12; ++d)
          if (parts % d == 0)
            return true;
        return false;
      };
      for (const int n : row.strips)
        if (fits(n))
          wanted.insert({0, 1, n});
      for (int r = row.least_rows; r <= row.most_rows; ++r)
        for (int c = 2; c <= row.most_columns; ++c)
          wanted.insert({1, r, c});
      for (const int n : row.discs)
        wanted.insert({2, 1, n});
      const int counts[] = {9, 10, 25, kMaxQuestions};
      int fullest[4] = {};
      for (uint32_t seed = 1; seed <= 120; ++seed) {
        const int count = counts[seed % 4];
        int halves = 0;
        // "Libre" at 12 with mixed numbers.
        for (const FigureQuestion& q : testing::LevelSheet(FigureKind{form}, row.level, count,
                                                           seed * 7919u, 12, {.mixed = true})) {
          const std::array<int, 3> figure{static_cast<int>(q.shape), q.rows, q.columns};
          EXPECT_TRUE(wanted.contains(figure)) << "a figure the class is not set: " << figure[0]
                                               << " " << q.rows << "x" << q.columns;
          seen.insert(figure);
          halves += form == FigureForm::kShade && q.den == 2 ? 1 : 0;
        }
        EXPECT_LE(halves, count / 10) << "seed " << seed;
        fullest[seed % 4] = std::max(fullest[seed % 4], halves);
      }
      EXPECT_EQ(seen, wanted) << "some figure of the programme never comes up";
      for (int i = 0; form == FigureForm::kShade && i < 4; ++i)
        EXPECT_EQ(fullest[i], counts[i] / 10) << "halves are never asked";
    }
  }
}

}  // namespace
}  // namespace fractions
