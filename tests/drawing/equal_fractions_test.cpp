// Equal fractions to complete: over many seeds and every level's options
// each equality is exact (rationals computed here) and one a teacher may
// set, asked once a sheet, its gap in each place as often; its worked
// chain, read in ASCII by an exact evaluator, keeps the value from the
// given fraction to the completed one, whose found term alone is bold.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "drawing/kinds/equal_fractions.h"
#include "exact_value.h"

namespace fractions {
namespace {

using Q = testing::Exact;

std::string Ascii(int32_t num, int32_t den) {
  return "((" + std::to_string(num) + ")/(" + std::to_string(den) + "))";
}

// The factors of `operand` set in bold, or left as gaps, in the order
// numerator then denominator: {1, 0} is the numerator marked.
std::array<int, 2> Marks(const StepOperand& operand, bool gap) {
  std::array<int, 2> marks{};
  for (int side = 0; side < 2; ++side)
    for (const StepTerm& term : side == 0 ? operand.num : operand.den)
      for (const StepFactor& factor : term.factors)
        marks[side] += (gap ? factor.gap : factor.bold) ? 1 : 0;
  return marks;
}

TEST(EqualFractions, EachEqualityIsExactAskedOnceItsGapInEachPlaceAsOften) {
  const EqualFractionsKind kind;
  std::vector<ExerciseOptions> option_sets{{}};
  for (const LevelPreset& preset : LevelPresets())
    option_sets.push_back(preset.options);
  for (const int32_t m : {9, 12, 20, 500}) {
    const int32_t largest = std::min(m, 12);
    int32_t widest = 0;  // the largest term of a lowest form drawn
    int32_t factor = 0;  // the largest factor of a left side drawn
    for (const ExerciseOptions& options : option_sets) {
      for (uint32_t seed = 1; seed <= 25; ++seed) {
        LcgRandom random(seed * 7919u);
        QuestionTable table;
        DrawingContext context{random, table};
        const int count = seed % 2 == 0 ? kMaxQuestions : 13;
        std::set<std::array<int32_t, 5>> asked;
        std::array<int, 4> places{};
        for (const EqualFractionsQuestion& q : kind.Draw(m, count, context, options)) {
          const std::string text = kind.Text(q, options);
          SCOPED_TRACE(text + " gap " + std::to_string(q.missing) + ", M " + std::to_string(m));
          // One value, not whole, written two ways; no a/a, a/1, zero; its
          // lowest terms within the largest term, each side at most ten
          // times them.
          const Q value = Q::Of(q.a, q.b);
          const Q lowest = Q::Of(q.c, q.d);
          EXPECT_EQ(value, lowest);
          EXPECT_TRUE(q.a > 0 && q.c > 0 && value.d > 1 && value.n <= largest &&
                      value.d <= largest);
          EXPECT_TRUE(q.a != q.b && q.b != 1 && q.c != q.d && q.d != 1 && q.a != q.c);
          EXPECT_TRUE(q.b <= 10 * value.d && q.d <= 10 * value.d);
          widest = std::max({widest, static_cast<int32_t>(value.n), static_cast<int32_t>(value.d)});
          factor = std::max(factor, q.b / static_cast<int32_t>(value.d));
          EXPECT_EQ(text, std::to_string(q.a) + "/" + std::to_string(q.b) + " = " +
                              std::to_string(q.c) + "/" + std::to_string(q.d));
          EXPECT_EQ(kind.Answer(q, options), text);
          ASSERT_TRUE(q.missing >= 0 && q.missing < 4);
          ++places[static_cast<size_t>(q.missing)];
          EXPECT_TRUE(asked.insert({q.a, q.b, q.c, q.d, q.missing}).second) << "asked twice";

          // The subject: the gap where the term is missing, nothing bold.
          const StepExpression subject = kind.Equality(q, false);
          const StepExpression key = kind.Equality(q, true);
          const size_t side = static_cast<size_t>(q.missing / 2);
          const std::array<int, 2> mark = q.missing % 2 == 0 ? std::array{1, 0} : std::array{0, 1};
          EXPECT_EQ(Marks(subject.operands.at(side), true), mark);
          EXPECT_EQ(Marks(key.operands.at(side), false), mark);
          EXPECT_EQ(Marks(subject.operands.at(1 - side), true), (std::array{0, 0}));
          EXPECT_EQ(AsciiExpression(key), Ascii(q.a, q.b) + " = " + Ascii(q.c, q.d));

          // The chain: from the given side to the completed one, its value
          // kept, the found term bold at the end and nowhere else.
          const WorkedSteps steps = kind.Steps(q, options);
          ASSERT_EQ(steps.size(), 1u);
          const std::vector<std::string> chain = AsciiSteps(steps)[0];
          EXPECT_EQ(chain.front(), side == 0 ? Ascii(q.c, q.d) : Ascii(q.a, q.b));
          EXPECT_EQ(chain.back(), side == 0 ? Ascii(q.a, q.b) : Ascii(q.c, q.d));
          EXPECT_TRUE(chain.size() == 3 || chain.size() == 5);
          for (size_t i = 0; i < chain.size(); ++i) {
            EXPECT_EQ(testing::ExactEvaluator::Evaluate(chain[i]), value) << chain[i];
            const std::array<int, 2> bold = Marks(steps[0][i].operands.at(0), false);
            EXPECT_EQ(bold, (i + 1 == chain.size() ? mark : std::array{0, 0}));
          }
        }
        for (const int n : places)
          EXPECT_TRUE(n == count / 4 || n == count / 4 + 1) << "gaps in one place: " << n;
      }
    }
    // The whole range is drawn, not only within it.
    EXPECT_EQ(widest, largest);
    EXPECT_EQ(factor, 10);
  }
}

TEST(EqualFractionsText, TheChainGoesThroughTheLowestTermsOnlyWhenItMust) {
  const EqualFractionsKind kind;
  const auto row = [&](const EqualFractionsQuestion& q) {
    std::vector<std::string> written = AsciiSteps(kind.Steps(q, {})).at(0);
    written.insert(written.begin(), {kind.Text(q, {}), kind.Answer(q, {}),
                                     AsciiExpression(kind.Equality(q, false))});
    return written;
  };
  using Row = std::vector<std::string>;
  const std::vector<std::pair<Row, Row>> rows = {
      {row({3, 4, 15, 20, 2}),
       {"3/4 = 15/20", "3/4 = 15/20", "((3)/(4)) = ((?)/(20))", "((3)/(4))", "((3*5)/(4*5))",
        "((15)/(20))"}},
      {row({3, 4, 15, 20, 3}),
       {"3/4 = 15/20", "3/4 = 15/20", "((3)/(4)) = ((15)/(?))", "((3)/(4))", "((3*5)/(4*5))",
        "((15)/(20))"}},
      {row({5, 12, 15, 36, 0}),
       {"5/12 = 15/36", "5/12 = 15/36", "((?)/(12)) = ((15)/(36))", "((15)/(36))", "((5*3)/(12*3))",
        "((5)/(12))"}},
      {row({6, 8, 9, 12, 3}),
       {"6/8 = 9/12", "6/8 = 9/12", "((6)/(8)) = ((9)/(?))", "((6)/(8))", "((3*2)/(4*2))",
        "((3)/(4))", "((3*3)/(4*3))", "((9)/(12))"}},
      {row({4, 6, 10, 15, 1}),
       {"4/6 = 10/15", "4/6 = 10/15", "((4)/(?)) = ((10)/(15))", "((10)/(15))", "((2*5)/(3*5))",
        "((2)/(3))", "((2*2)/(3*2))", "((4)/(6))"}},
  };
  for (const auto& [got, want] : rows)
    EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace fractions
