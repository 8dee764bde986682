// Equal fractions to complete, over many seeds and every level's options:
// each equality exact (rationals computed here) and not degenerate, its
// gap in each place as often; its worked chain, read by
// an exact evaluator, keeps the value from the given fraction to the
// completed one, the found term bold.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drawing/kinds/equal_fractions.h"
#include "exact_value.h"
#include "level_sheet.h"

namespace fractions {
namespace {

using Q = testing::Exact;

// "((3)/(4)) = ((?)/(20))": the terms in ASCII, `gap` (0 to 3) as a "?".
std::string Ascii(const EqualFractionsQuestion& q, int gap) {
  std::array<std::string, 4> t{std::to_string(q.a), std::to_string(q.b), std::to_string(q.c),
                               std::to_string(q.d)};
  if (gap >= 0)
    t[static_cast<size_t>(gap)] = "?";
  return "((" + t[0] + ")/(" + t[1] + ")) = ((" + t[2] + ")/(" + t[3] + "))";
}

// Whether the numerator (term 0) or the denominator (1) is bold, the other not.
bool BoldTerm(const StepOperand& operand, int term) {
  return operand.num[0].factors[0].bold == (term == 0) &&
         operand.den[0].factors[0].bold == (term == 1);
}

// An equality, whatever its gap and whichever side stands first.
std::array<int32_t, 4> Equality(const EqualFractionsQuestion& q) {
  return std::pair(q.a, q.b) < std::pair(q.c, q.d) ? std::array{q.a, q.b, q.c, q.d}
                                                   : std::array{q.c, q.d, q.a, q.b};
}

TEST(EqualFractions, EachEqualityIsExactItsGapInEachPlaceAsOften) {
  const EqualFractionsKind kind;
  // Options it does not read change nothing.
  const std::vector<ExerciseOptions> option_sets{{}, {.negatives = true, .mixed = true}};
  for (const int32_t m : {9, 12, 20, 500}) {
    int32_t widest = 0;  // the largest term of a lowest form drawn, and the largest factor
    int32_t factor = 0;
    for (uint32_t seed = 1; seed <= 150; ++seed) {
      LcgRandom random(seed * 7919u);
      QuestionTable table;
      DrawingContext context{random, table};
      const int count = seed % 2 == 0 ? kMaxQuestions : 13;
      std::array<int, 4> places{};
      for (const auto& q :
           kind.Draw(m, count, context, option_sets[seed / 2 % option_sets.size()])) {
        SCOPED_TRACE(Ascii(q, q.missing));
        const Q value = Q::Of(q.a, q.b);
        EXPECT_EQ(value, Q::Of(q.c, q.d));
        EXPECT_TRUE(q.a > 0 && q.a != q.c && value.d > 1 && value.n <= std::min(m, 12) &&
                    value.d <= std::min(m, 12) && q.b <= 10 * value.d && q.d <= 10 * value.d);
        widest = std::max({widest, static_cast<int32_t>(value.n), static_cast<int32_t>(value.d)});
        factor = std::max(factor, q.b / static_cast<int32_t>(value.d));
        ++places.at(static_cast<size_t>(q.missing));

        const int term = q.missing % 2;  // of the side with the gap
        EXPECT_EQ(AsciiExpression(kind.Equality(q, false)), Ascii(q, q.missing));
        EXPECT_EQ(AsciiExpression(kind.Equality(q, true)), Ascii(q, -1));
        EXPECT_TRUE(BoldTerm(kind.Equality(q, true).operands.at(q.missing / 2), term));
        const WorkedSteps steps = kind.Steps(q, {});
        const std::vector<std::string> chain = AsciiSteps(steps).at(0);
        const std::string left = Ascii(q, -1).substr(0, Ascii(q, -1).find(" = "));
        const std::string right = Ascii(q, -1).substr(Ascii(q, -1).find(" = ") + 3);
        EXPECT_EQ(chain.front(), q.missing < 2 ? right : left);
        EXPECT_EQ(chain.back(), q.missing < 2 ? left : right);
        for (const std::string& step : chain)
          EXPECT_EQ(testing::ExactEvaluator::Evaluate(step), value) << step;
        EXPECT_TRUE(BoldTerm(steps[0].back().operands.at(0), term));
      }
      for (const int n : places)
        EXPECT_TRUE(n == count / 4 || n == count / 4 + 1) << "gaps in one place: " << n;
    }
    EXPECT_EQ(widest, std::min(m, 12)) << "the whole range drawn";
    EXPECT_EQ(factor, 10);
  }
}

TEST(EqualFractionsText, KeysGapsAndChainsAreWrittenAsTheBoardHasThem) {
  const EqualFractionsKind kind;
  const auto row = [&](const EqualFractionsQuestion& q) {
    EXPECT_EQ(kind.Answer(q, {}), kind.Text(q, {}));
    std::vector<std::string> written = AsciiSteps(kind.Steps(q, {})).at(0);
    written.insert(written.begin(), kind.Text(q, {}));
    return written;
  };
  using Row = std::vector<std::string>;
  const std::vector<std::pair<Row, Row>> rows = {
      {row({3, 4, 15, 20, 2}), {"3/4 = 15/20", "((3)/(4))", "((3*5)/(4*5))", "((15)/(20))"}},
      {row({5, 12, 15, 36, 0}), {"5/12 = 15/36", "((15)/(36))", "((5*3)/(12*3))", "((5)/(12))"}},
      {row({4, 6, 8, 12, 3}), {"4/6 = 8/12", "((4)/(6))", "((4*2)/(6*2))", "((8)/(12))"}},
      {row({8, 12, 4, 6, 3}), {"8/12 = 4/6", "((8)/(12))", "((4*2)/(6*2))", "((4)/(6))"}},
      {row({6, 8, 9, 12, 3}),
       {"6/8 = 9/12", "((6)/(8))", "((3*2)/(4*2))", "((3)/(4))", "((3*3)/(4*3))", "((9)/(12))"}},
  };
  for (const auto& [got, want] : rows)
    EXPECT_EQ(got, want);
  // One equality with its gap elsewhere makes another sheet.
  EXPECT_NE(QuestionKey(kind.KeyNumbers({3, 4, 15, 20, 2})),
            QuestionKey(kind.KeyNumbers({3, 4, 15, 20, 3})));
}

// What each class completes: its terms and values; in CM2 and 6e one side
// a whole multiple of the other, every such equality drawn (CM2's 36, and
// no more); through the irreducible form a third of a 5e sheet at most.
TEST(EqualFractions, EachClassCompletesItsOwnEqualitiesAndAllOfThem) {
  const EqualFractionsKind kind;
  struct Class {
    Level level;
    int32_t largest, largest_value;
    int trip_one_in;  // 0: never through the irreducible form
  };
  const Class classes[] = {{Level::kCM2, 12, 12, 0},
                           {Level::k6e, 20, 12, 0},
                           {Level::k5e, 60, 12, 3},
                           {Level::k4e, 100, 10, 1},
                           {Level::k3e, 120, 12, 1}};
  for (const Class& c : classes) {
    SCOPED_TRACE(FindLevelPreset(c.level)->name);
    std::set<std::array<int32_t, 4>> multiples, reached;
    for (int32_t p = 1; p <= 12; ++p)
      for (int32_t q = 2; q <= 12; ++q)
        for (int32_t l = 1; std::gcd(p, q) == 1 && l <= 10; ++l)
          for (int32_t r = 2 * l; r <= 10 && q * r <= c.largest && p * r <= c.largest; r += l)
            multiples.insert(Equality({p * l, q * l, p * r, q * r, 0}));
    const int count = c.level == Level::kCM2 ? 36 : 40;
    int32_t largest = 0;
    int trips = 0;
    for (uint32_t seed = 1; seed <= 150; ++seed) {
      int sheet_trips = 0;
      for (const EqualFractionsQuestion& q : testing::LevelSheet(kind, c.level, count, seed)) {
        const Q value = Q::Of(q.a, q.b);
        const int32_t widest = std::max({q.a, q.b, q.c, q.d});
        EXPECT_TRUE(widest <= c.largest && value.n <= c.largest_value && value.d <= c.largest_value)
            << Ascii(q, -1);
        const int32_t left = q.b / static_cast<int32_t>(value.d);
        const int32_t right = q.d / static_cast<int32_t>(value.d);
        sheet_trips += left % right != 0 && right % left != 0 ? 1 : 0;
        reached.insert(Equality(q));
        largest = std::max(largest, widest);
      }
      EXPECT_LE(sheet_trips, c.trip_one_in == 0 ? 0 : count / c.trip_one_in);
      trips += sheet_trips;
    }
    EXPECT_EQ(largest, c.largest);
    EXPECT_EQ(trips > 0, c.trip_one_in > 0);
    if (c.trip_one_in == 0) {
      EXPECT_EQ(reached, multiples);
    }
  }
  try {
    testing::LevelSheet(kind, Level::kCM2, 40, 1);
    ADD_FAILURE() << "40 equalities drawn in CM2";
  } catch (const TooFewQuestions& refusal) {
    EXPECT_EQ(refusal.Available(), 36);
  }
}

}  // namespace
}  // namespace fractions
