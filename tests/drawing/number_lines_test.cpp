// Points on a graduated line, over many seeds, both forms and every
// level: three points on different ticks of a line a pupil can read, each
// abscissa in lowest terms (rationals computed here), the letters in
// every order along the line; each class on the lines it is set; each
// worked chain, read by an exact evaluator, goes from the ticks counted to
// the key.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drawing/kinds/number_lines.h"
#include "exact_value.h"

namespace fractions {
namespace {

using Q = testing::Exact;

std::string Str(testing::Int128 n) {
  return std::to_string(static_cast<long long>(n));
}

TEST(NumberLines, PointsStandOnDifferentTicksTheirAbscissasInLowestTerms) {
  // At Libre no option changes the draw: every level's options, its level
  // left out, draw a half-line from 0.
  std::vector<ExerciseOptions> option_sets{{}, {.mixed = true}};
  for (const LevelPreset& preset : LevelPresets()) {
    option_sets.push_back(preset.options);
    option_sets.back().level = Level::kFree;
  }
  for (const int32_t m : {9, 12, 500}) {
    std::set<int32_t> parts_seen, units_seen;
    int drawn = 0, in_order = 0, one_unit = 0;
    for (uint32_t seed = 1; seed <= 20 * option_sets.size(); ++seed) {
      LcgRandom random(seed * 7919u);
      QuestionTable table;
      DrawingContext context{random, table};
      const NumberLineKind kind{seed % 2 == 0 ? NumberLineForm::kRead : NumberLineForm::kPlace};
      const int count = seed % 3 == 0 ? 7 : kMaxQuestions;
      const ExerciseOptions& options = option_sets[seed / 3 % option_sets.size()];
      const auto questions = kind.Draw(m, count, context, options);
      ASSERT_EQ(static_cast<int>(questions.size()), count);
      for (const NumberLineQuestion& q : questions) {
        const auto [a, b, c] = q.points;
        const int32_t n = q.unit_parts;
        SCOPED_TRACE(kind.Text(q, {}) + " in parts of 1/" + std::to_string(n));
        EXPECT_TRUE(n >= 2 && n <= std::min(m, 12) && q.units >= 1 && q.units <= 3);
        EXPECT_TRUE(a.tick != b.tick && b.tick != c.tick && a.tick != c.tick);
        EXPECT_FALSE(a.tick % n == 0 && b.tick % n == 0 && c.tick % n == 0) << "all whole";
        parts_seen.insert(n);
        units_seen.insert(q.units);
        ++drawn;
        in_order += a.tick < b.tick && b.tick < c.tick;
        one_unit += q.units == 1;

        std::string listing,
            fields = "unit_parts " + std::to_string(n) + " units " + std::to_string(q.units);
        for (size_t i = 0; i < 3; ++i) {
          const NumberLinePoint& p = q.points[i];
          EXPECT_TRUE(p.tick >= 1 && p.tick <= n * q.units) << p.tick;
          const Q value = Q::Of(p.tick, n);
          EXPECT_EQ(value, (Q{p.num, p.den})) << p.num << "/" << p.den << " for tick " << p.tick;
          const std::string key = value.d == 1 ? Str(value.n) : Str(value.n) + "/" + Str(value.d);
          listing +=
              (i == 0 ? "" : " ; ") + std::string(1, static_cast<char>('A' + i)) + "(" + key + ")";
          fields += " " + std::string(1, static_cast<char>('A' + i)) + " " + Str(value.n) + "/" +
                    Str(value.d);
          // From the ticks counted to the key (from the abscissa given to
          // the ticks, placing), every step of that value.
          const std::vector<std::string> chain = AsciiSteps(kind.Steps(q, options)).at(i);
          const std::string ticks =
              "((" + std::to_string(p.tick) + ")/(" + std::to_string(n) + "))";
          const std::string lowest =
              value.d == 1 ? key : "((" + Str(value.n) + ")/(" + Str(value.d) + "))";
          const bool place = kind.form == NumberLineForm::kPlace;
          EXPECT_EQ(chain.front(), place ? lowest : ticks);
          EXPECT_EQ(chain.back(), place ? ticks : lowest);
          for (const std::string& step : chain)
            EXPECT_EQ(testing::ExactEvaluator::Evaluate(step), value) << step;
        }
        EXPECT_EQ(kind.Text(q, options), listing);
        EXPECT_EQ(kind.Answer(q, options), listing);
        std::string written;
        const QuestionFields named = kind.Fields(q, options);
        for (const auto& [field, number] : named.numbers)
          written +=
              (written.empty() ? "" : " ") + std::string(field) + " " + std::to_string(number);
        for (const QuestionFields::Point& point : named.points)
          written += " " + std::string(1, point.name) + " " + std::to_string(point.num) + "/" +
                     std::to_string(point.den);
        EXPECT_EQ(written, fields);
      }
    }
    EXPECT_EQ(*parts_seen.begin(), 2);
    EXPECT_EQ(*parts_seen.rbegin(), std::min(m, 12)) << "the whole range drawn";
    EXPECT_EQ(units_seen, (std::set<int32_t>{1, 2, 3}));
    // The letters in order along the line one time in six; every line as
    // likely, short ones too: at 9, 7 of the 23 lines are one unit long, at
    // 12 and beyond 10 of 32.
    EXPECT_NEAR(static_cast<double>(in_order) / drawn, 1.0 / 6, 0.03);
    EXPECT_NEAR(static_cast<double>(one_unit) / drawn, m == 9 ? 7.0 / 23 : 10.0 / 32, 0.04);
  }
}

// What each class is set: the parts of its unit, and a half-line from 0
// or a line through 0 with points on both sides of it.
struct LevelLines {
  Level level;
  std::set<int32_t> parts;
  bool relative;
};

TEST(NumberLines, EachClassDrawsItsOwnLinesAndAllOfThem) {
  const std::set<int32_t> every_part{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::vector<LevelLines> rows = {
      {Level::kCM2, {2, 3, 4, 5, 10}, false}, {Level::k6e, {2, 3, 4, 5, 6, 8, 10, 12}, false},
      {Level::k5e, every_part, false},        {Level::k4e, {2, 3, 4, 5, 6, 8, 10}, true},
      {Level::k3e, every_part, true},
  };
  // The extents (units left of 0, right of it) of the two kinds of line.
  const std::set<std::pair<int32_t, int32_t>> half_lines{{0, 1}, {0, 2}, {0, 3}},
      relative_lines{{1, 1}, {1, 2}, {2, 1}, {1, 3}, {2, 2}, {3, 1}};
  for (size_t r = 0; r < rows.size(); ++r) {
    const LevelPreset& preset = *FindLevelPreset(rows[r].level);
    for (const int32_t m : {preset.largest_term, 9}) {
      SCOPED_TRACE(std::string(preset.name) + " largest term " + std::to_string(m));
      std::set<int32_t> parts_seen;
      std::set<std::pair<int32_t, int32_t>> extents_seen;
      for (uint32_t seed = 1; seed <= 40; ++seed) {
        LcgRandom random(seed);
        QuestionTable table;
        DrawingContext context{random, table};
        const NumberLineKind kind{seed % 2 == 0 ? NumberLineForm::kRead : NumberLineForm::kPlace};
        const int count = seed % 4 == 0 ? 6 : kMaxQuestions;
        const auto questions = kind.Draw(m, count, context, preset.options);
        ASSERT_EQ(static_cast<int>(questions.size()), count);
        for (const NumberLineQuestion& q : questions) {
          for (size_t i = 0; i < 3; ++i) {  // each abscissa, its key and its chain
            const NumberLinePoint& p = q.points[i];
            const Q value = Q::Of(p.tick, q.unit_parts);
            EXPECT_TRUE(value == (Q{p.num, p.den}) && p.tick != 0) << kind.Text(q, {});
            const auto chains = AsciiSteps(kind.Steps(q, preset.options));
            for (const std::string& step : chains.at(i))
              EXPECT_EQ(testing::ExactEvaluator::Evaluate(step), value) << step;
          }
          const auto [low, high] =
              std::minmax({q.points[0].tick, q.points[1].tick, q.points[2].tick});
          EXPECT_TRUE(rows[r].parts.contains(q.unit_parts) && q.unit_parts <= m) << q.unit_parts;
          EXPECT_TRUE((rows[r].relative ? relative_lines : half_lines)
                          .contains({q.negative_units, q.units}));
          EXPECT_TRUE(!rows[r].relative || (low < 0 && high > 0)) << "all on one side of 0";
          parts_seen.insert(q.unit_parts);
          extents_seen.insert({q.negative_units, q.units});
        }
      }
      std::set<int32_t> row_parts = rows[r].parts;
      std::erase_if(row_parts, [&](int32_t n) { return n > m; });
      EXPECT_EQ(parts_seen, row_parts) << "the class's every unit drawn";
      EXPECT_EQ(extents_seen, rows[r].relative ? relative_lines : half_lines);
    }
  }
}

TEST(NumberLinesText, ListingsAndChainsAreWrittenAsTheBoardHasThem) {
  const NumberLineKind kind{NumberLineForm::kRead};
  const auto row = [&](const NumberLineQuestion& q) {
    std::vector<std::string> written{kind.Text(q, {})};
    for (const std::vector<std::string>& chain : AsciiSteps(kind.Steps(q, {})))
      written.insert(written.end(), chain.begin(), chain.end());
    return written;
  };
  using Row = std::vector<std::string>;
  const std::vector<std::pair<Row, Row>> rows = {
      {row({4, 2, {{{3, 3, 4}, {5, 5, 4}, {8, 2, 1}}}}),
       {"A(3/4) ; B(5/4) ; C(2)", "((3)/(4))", "((5)/(4))", "((8)/(4))", "((2*4)/(4))", "2"}},
      {row({4, 2, {{{3, 3, 4}, {7, 7, 4}, {2, 1, 2}}}}),
       {"A(3/4) ; B(7/4) ; C(1/2)", "((3)/(4))", "((7)/(4))", "((2)/(4))", "((1*2)/(2*2))",
        "((1)/(2))"}},
      {row({4, 3, {{{6, 3, 2}, {4, 1, 1}, {11, 11, 4}}}}),
       {"A(3/2) ; B(1) ; C(11/4)", "((6)/(4))", "((3*2)/(2*2))", "((3)/(2))", "((4)/(4))", "1",
        "((11)/(4))"}},
      {row({3, 1, {{{-2, -2, 3}, {-3, -1, 1}, {2, 2, 3}}}, 1}),
       {"A(-2/3) ; B(-1) ; C(2/3)", "-((2)/(3))", "-((3)/(3))", "-1", "((2)/(3))"}},
  };
  for (const auto& [got, want] : rows)
    EXPECT_EQ(got, want);
  // A line through 0 says in its fields how far it runs left of 0.
  const auto fields = kind.Fields({3, 1, {{{-2, -2, 3}, {-3, -1, 1}, {2, 2, 3}}}, 1}, {}).numbers;
  EXPECT_STREQ(fields.back().first, "negative_units");
  EXPECT_EQ(fields.back().second, 1);
  // The same ticks with their letters swapped are another question's numbers.
  EXPECT_NE(QuestionKey(kind.KeyNumbers({4, 2, {{{3, 3, 4}, {5, 5, 4}, {8, 2, 1}}}})),
            QuestionKey(kind.KeyNumbers({4, 2, {{{5, 5, 4}, {3, 3, 4}, {8, 2, 1}}}})));
}

}  // namespace
}  // namespace fractions
