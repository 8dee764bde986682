// The kinds of the "Autres…" menu drawn through the catalogue, as the
// window and the command line draw them: two classes never draw one sheet
// from one seed, and no sheet asks a pupil one question twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"
#include "level_sheet.h"

namespace fractions {
namespace {

// A sheet of `count` questions at `level`'s own largest term and options
// ("Libre" at 12), or of as many as the level gives when it gives fewer.
QuestionSet Sheet(ExerciseType type, Level level, int count, uint32_t seed) {
  const LevelPreset* preset = FindLevelPreset(level);
  LcgRandom random(seed);
  QuestionTable table;
  DrawingContext context{random, table};
  try {
    return RunDrawingPhase(type, preset != nullptr ? preset->largest_term : 12, count, context,
                           preset != nullptr ? preset->options : ExerciseOptions{});
  } catch (const TooFewQuestions& few) {
    return Sheet(type, level, few.Available(), seed);
  }
}

// The menu's types with the levels that set them ("Libre" first).
std::vector<std::pair<ExerciseType, Level>> MenuTypesAndLevels() {
  std::vector<std::pair<ExerciseType, Level>> all;
  for (const ExerciseInfo& row : kExerciseCatalogue)
    for (const Level level :
         {Level::kFree, Level::kCM2, Level::k6e, Level::k5e, Level::k4e, Level::k3e})
      if (row.button_place.in_menu && (level == Level::kFree || level >= row.first_level))
        all.emplace_back(row.type, level);
  return all;
}

// Two classes are set different things: their sheets from one seed differ.
TEST(MenuKindLevels, TwoClassesNeverDrawOneSheet) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    std::map<std::string, Level> sheets;  // the numbers of a sheet, its level
    for (const auto& [type, level] : MenuTypesAndLevels()) {
      if (level == Level::kFree)
        continue;
      const auto [sheet, added] =
          sheets.emplace(std::string(Describe(type).command_word) + ":" +
                             QuestionNumbers(Sheet(type, level, kMaxQuestions, seed)),
                         level);
      EXPECT_TRUE(added) << Describe(type).command_word << " " << testing::LevelName(level)
                         << " draws " << testing::LevelName(sheet->second) << "'s sheet, seed "
                         << seed;
    }
  }
}

// What a pupil reads of a question: a pair or an equality either way
// round, wherever its gap; four values in lowest terms, in any order; a
// figure with as many parts hatched anywhere; a line and its ticks,
// whatever their letters; a decimal whatever its sign; others' numbers.
using Read = std::vector<int64_t>;

template <typename Kind>
Read Seen(const Kind& kind, const typename Kind::Question& q) {
  const auto numbers = kind.KeyNumbers(q);
  return Read(numbers.begin(), numbers.end());
}
Read Seen(const ComparisonKind&, const ComparisonQuestion& q) {
  return std::min(Read{q.a, q.b, q.c, q.d}, Read{q.c, q.d, q.a, q.b});
}
Read Seen(const EqualFractionsKind&, const EqualFractionsQuestion& q) {
  return std::min(Read{q.a, q.b, q.c, q.d}, Read{q.c, q.d, q.a, q.b});
}
Read Seen(const OrderingKind&, const OrderingQuestion& q) {
  std::vector<Read> values;
  for (size_t i = 0; i < q.num.size(); ++i) {
    const int32_t g = std::gcd(q.num[i], q.den[i]);
    values.push_back({q.num[i] / g, q.den[i] / g});
  }
  std::sort(values.begin(), values.end());
  return {values[0][0], values[0][1], values[1][0], values[1][1],
          values[2][0], values[2][1], values[3][0], values[3][1]};
}
Read Seen(const FigureKind&, const FigureQuestion& q) {
  return {static_cast<int64_t>(q.shape), q.rows, q.columns, q.figures, q.num, q.den};
}
Read Seen(const NumberLineKind&, const NumberLineQuestion& q) {
  Read ticks{q.points[0].tick, q.points[1].tick, q.points[2].tick};
  std::sort(ticks.begin(), ticks.end());
  ticks.insert(ticks.begin(), {q.unit_parts, q.negative_units, q.units});
  return ticks;
}
Read Seen(const DecimalWritingKind&, const DecimalWritingQuestion& q) {
  return {std::abs(q.num), q.den};
}

// Sheets as full as each level allows, where near-repeats are likeliest.
TEST(MenuKindSheets, NoQuestionTwiceToAPupil) {
  for (const auto& [type, level] : MenuTypesAndLevels()) {
    SCOPED_TRACE(std::string(Describe(type).command_word) + " " + testing::LevelName(level));
    for (uint32_t seed = 1; seed <= 100; ++seed) {
      std::visit(
          [&](const auto& drawn) {
            std::set<Read> asked;
            for (const auto& q : drawn.questions)
              EXPECT_TRUE(asked.insert(Seen(drawn.kind, q)).second)
                  << "seed " << seed << ": " << drawn.kind.Text(q, drawn.options) << " twice";
          },
          Sheet(type, level, kMaxQuestions, seed));
    }
  }
}

}  // namespace
}  // namespace fractions
