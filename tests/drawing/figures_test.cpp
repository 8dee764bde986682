// Shaded figures, read and shaded, over many seeds, largest terms and
// options: each figure one the request allows, its hatched parts worth the
// key's fraction exactly (rationals computed here), whole figures first and
// the shaded form's parts the first ones, no question twice a sheet; the
// worked chain keeps the value and ends where a teacher ends it; then the
// request's own examples, written out.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "drawing/kinds/figures.h"
#include "exact_value.h"

namespace fractions {
namespace {

using Q = testing::Exact;

std::string Ascii(Q v) {
  return "((" + std::to_string(static_cast<long long>(v.n)) + ")/(" +
         std::to_string(static_cast<long long>(v.d)) + "))";
}

TEST(Figures, EveryFigureHoldsItsFractionExactlyAndNoneIsAskedTwice) {
  std::vector<ExerciseOptions> option_sets{{}, {.mixed = true}};
  for (const LevelPreset& preset : LevelPresets())
    option_sets.push_back(preset.options);
  // Largest rows and columns of each shape, in FigureShape's order.
  const std::array<std::pair<int, int>, 3> largest{{{1, 24}, {4, 6}, {1, 12}}};
  for (const FigureForm form : {FigureForm::kRead, FigureForm::kShade}) {
    const FigureKind kind{form};
    for (const int32_t m : {9, 12, 20, 500}) {
      SCOPED_TRACE(::testing::Message() << "form " << static_cast<int>(form) << " m " << m);
      std::set<int> shapes, figure_counts;
      int32_t widest = 0;
      bool scattered = false;
      for (uint32_t seed = 1; seed <= 12 * option_sets.size(); ++seed) {
        const ExerciseOptions& options = option_sets[seed % option_sets.size()];
        LcgRandom random(seed * 104729u);
        QuestionTable table;
        DrawingContext context{random, table};
        const int count = seed % 3 == 0 ? 13 : kMaxQuestions;
        std::set<std::tuple<int, int, int, int, int, int, uint32_t, uint32_t, uint32_t>> asked;
        const std::vector<FigureQuestion> drawn = kind.Draw(m, count, context, options);
        ASSERT_EQ(drawn.size(), static_cast<size_t>(count));
        for (const FigureQuestion& q : drawn) {
          const int shape = static_cast<int>(q.shape);
          const int parts = q.rows * q.columns;
          SCOPED_TRACE(::testing::Message()
                       << "shape " << shape << " " << q.rows << "x" << q.columns << " x"
                       << q.figures << " " << q.num << "/" << q.den);
          ASSERT_TRUE(shape >= 0 && shape <= 2);
          const auto [most_rows, most_columns] = largest[static_cast<size_t>(shape)];
          EXPECT_TRUE(q.rows >= 1 && q.rows <= most_rows && (shape != 1 || q.rows >= 2) &&
                      q.columns >= 2 && q.columns <= most_columns && parts <= 24);
          ASSERT_TRUE(q.figures >= 1 && q.figures <= (options.mixed ? 3 : 1));

          // Whole figures, then one hatched in part, then none.
          int shaded = 0;
          for (int f = 0; f < 3; ++f) {
            const uint32_t mask = q.hatched[static_cast<size_t>(f)];
            const int n = std::popcount(mask);
            shaded += n;
            EXPECT_EQ(mask >> parts, 0u) << "a part beyond the figure";
            if (f < q.figures - 1)
              EXPECT_EQ(n, parts) << "figure " << f << " not whole";
            else if (f == q.figures - 1)
              EXPECT_TRUE(n > 0 && n < parts) << "last figure: " << n;
            else
              EXPECT_EQ(mask, 0u);
          }
          const uint32_t last = q.hatched[static_cast<size_t>(q.figures - 1)];
          const Q value = Q::Of(q.num, q.den);
          EXPECT_EQ(Q::Of(shaded, parts), value);
          EXPECT_TRUE(value.d >= 2 && value.d <= std::min(m, 12) && parts % value.d == 0);
          if (form == FigureForm::kRead) {
            EXPECT_TRUE(q.num == shaded && q.den == parts);
            // A run of a strip or a grid has its bits together (a disc's
            // may pass the top).
            scattered =
                scattered || (shape != 2 && !std::has_single_bit(last + (last & (~last + 1))));
          } else {
            EXPECT_EQ(value.d, q.den) << "asked reducible";
            EXPECT_TRUE(std::has_single_bit(last + 1)) << "not the first parts: " << last;
          }
          shapes.insert(shape);
          figure_counts.insert(q.figures);
          widest = std::max(widest, static_cast<int32_t>(value.d));
          EXPECT_TRUE(asked
                          .insert({shape, q.rows, q.columns, q.figures, q.num, q.den,
                                   form == FigureForm::kRead ? q.hatched[0] : 0u,
                                   form == FigureForm::kRead ? q.hatched[1] : 0u,
                                   form == FigureForm::kRead ? q.hatched[2] : 0u})
                          .second)
              << "asked twice";

          const QuestionFields fields = kind.Fields(q, options);
          const std::vector<std::pair<std::string, int32_t>> want{
              {"shape", shape},       {"rows", q.rows},   {"columns", q.columns}, {"parts", parts},
              {"figures", q.figures}, {"shaded", shaded}, {"num", q.num},         {"den", q.den}};
          const std::vector<std::pair<std::string, int32_t>> got(fields.numbers.begin(),
                                                                 fields.numbers.end());
          EXPECT_EQ(got, want);

          // The chain keeps the value from the key's fraction to the
          // irreducible one read, or to the parts a pupil hatches.
          const std::vector<std::string> chain = AsciiSteps(kind.Steps(q, options)).at(0);
          for (const std::string& step : chain)
            EXPECT_EQ(testing::ExactEvaluator::Evaluate(step), value) << step;
          EXPECT_EQ(chain.front(),
                    "((" + std::to_string(q.num) + ")/(" + std::to_string(q.den) + "))");
          const int wholes = q.figures - 1;
          const std::string before = wholes > 0 ? std::to_string(wholes) + " + " : "";
          if (form == FigureForm::kRead) {
            const Q rest = value - Q{wholes, 1};
            EXPECT_EQ(chain.back(), options.mixed ? before + Ascii(rest) : Ascii(value));
          } else {
            EXPECT_EQ(chain.back(), before + "((" + std::to_string(std::popcount(last)) + ")/(" +
                                        std::to_string(parts) + "))");
          }
        }
      }
      EXPECT_EQ(shapes.size(), 3u);
      EXPECT_EQ(figure_counts.size(), 3u) << "with mixed numbers, 1 to 3 figures";
      EXPECT_EQ(widest, std::min(m, 12)) << "the whole range of denominators";
      if (form == FigureForm::kRead) {
        EXPECT_TRUE(scattered) << "hatched parts only ever in one run";
      }
    }
  }
}

TEST(FiguresText, KeysAndChainsAreWrittenAsTheRequestHasThem) {
  const FigureKind read{FigureForm::kRead};
  const FigureKind shade{FigureForm::kShade};
  const ExerciseOptions mixed{.mixed = true};
  constexpr auto kStrip = FigureShape::kStrip;
  constexpr auto kGrid = FigureShape::kGrid;
  constexpr auto kDisc = FigureShape::kDisc;
  struct Row {
    const FigureKind& kind;
    FigureQuestion q;
    ExerciseOptions options;
    std::string answer;
    std::vector<std::string> chain;
  };
  const std::vector<Row> rows = {
      {read,
       {kStrip, 1, 8, 1, 6, 8, {0b10111011, 0, 0}},
       {},
       "6/8 = 3/4",
       {"((6)/(8))", "((3*2)/(4*2))", "((3)/(4))"}},
      {read, {kDisc, 1, 4, 1, 3, 4, {0b1011, 0, 0}}, {}, "3/4", {"((3)/(4))"}},
      {read,
       {kDisc, 1, 4, 2, 7, 4, {0b1111, 0b0111, 0}},
       mixed,
       "7/4 = 1 + 3/4",
       {"((7)/(4))", "1 + ((3)/(4))"}},
      {read,
       {kGrid, 2, 4, 2, 14, 8, {0xFF, 0b00111111, 0}},
       mixed,
       "14/8 = 7/4 = 1 + 3/4",
       {"((14)/(8))", "((7*2)/(4*2))", "((7)/(4))", "1 + ((3)/(4))"}},
      {shade,
       {kStrip, 1, 8, 1, 3, 4, {0b00111111, 0, 0}},
       {},
       "3/4 : 6 parts sur 8",
       {"((3)/(4))", "((3*2)/(4*2))", "((6)/(8))"}},
      {shade, {kDisc, 1, 3, 1, 1, 3, {0b001, 0, 0}}, {}, "1/3 : 1 part sur 3", {"((1)/(3))"}},
      {shade,
       {kDisc, 1, 4, 2, 7, 4, {0b1111, 0b0111, 0}},
       mixed,
       "7/4 : 1 figure enti\xE8re et 3 parts sur 4",
       {"((7)/(4))", "1 + ((3)/(4))"}},
      {shade,
       {kGrid, 2, 3, 3, 8, 3, {0x3F, 0x3F, 0b1111}},
       mixed,
       "8/3 : 2 figures enti\xE8res et 4 parts sur 6",
       {"((8)/(3))", "2 + ((2)/(3))", "2 + ((2*2)/(3*2))", "2 + ((4)/(6))"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    EXPECT_EQ(row.kind.Answer(row.q, row.options), row.answer);
    EXPECT_EQ(row.kind.Text(row.q, row.options), row.answer);
    EXPECT_EQ(AsciiSteps(row.kind.Steps(row.q, row.options)).at(0), row.chain);
  }
  // 7/4 on two discs in quarters: 7 parts hatched of figures of 4.
  const QuestionFields fields = shade.Fields(rows[6].q, mixed);
  EXPECT_EQ(fields.numbers.at(3).second, 4);
  EXPECT_EQ(fields.numbers.at(5).second, 7);
  EXPECT_EQ(fields.mixed, (MixedNumber{1, 3, 4}));
  // The same fraction read off other hatched parts is another question.
  FigureQuestion moved = rows[0].q;
  moved.hatched[0] = 0b11111100;
  EXPECT_NE(QuestionKey(read.KeyNumbers(rows[0].q)), QuestionKey(read.KeyNumbers(moved)));
}

}  // namespace
}  // namespace fractions
