// Comparing two fractions, as a teacher checks a sheet: over many seeds and
// every option, the sign exact (rationals computed here), no whole number
// nor one fraction twice, the denominators as asked, about one pair in
// eight equal, no question twice; every worked chain keeps its fraction's
// value and ends over the least common denominator, and the conclusion and
// its reason are true; the request's examples pinned.
#include "drawing/kinds/comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "drawing/exact_value.h"

namespace fractions {
namespace {

using testing::Exact;
using testing::ExactEvaluator;

constexpr ComparisonKind kKind{};

int Sign(const Exact& v) {
  return v.n < 0 ? -1 : (v.n > 0 ? 1 : 0);
}

// "X s Y" with s one of < > =: X and Y read exactly, and whether s holds.
std::tuple<Exact, Exact, bool> Compared(const std::string& ascii) {
  for (const auto& [sign, holds] :
       {std::pair<std::string, int>{" < ", -1}, {" > ", 1}, {" = ", 0}}) {
    const size_t at = ascii.find(sign);
    if (at != std::string::npos) {
      const Exact x = ExactEvaluator::Evaluate(ascii.substr(0, at));
      const Exact y = ExactEvaluator::Evaluate(ascii.substr(at + 3));
      return {x, y, Sign(x - y) == holds};
    }
  }
  ADD_FAILURE() << "no comparison in " << ascii;
  return {};
}

std::string Without(std::string text, const std::string& gone) {
  std::erase_if(text, [&](char ch) { return gone.find(ch) != std::string::npos; });
  return text;
}

struct OptionCase {
  const char* what;
  ExerciseOptions options;
};

ExerciseOptions Rule(DenominatorRule rule, bool negatives) {
  ExerciseOptions options;
  options.denominators = rule;
  options.negatives = negatives;
  return options;
}

TEST(Comparison, EverySheetHoldsSoundQuestionsAndWorkedKeys) {
  std::vector<OptionCase> cases = {
      {"any", Rule(DenominatorRule::kAny, false)},
      {"any, negatives", Rule(DenominatorRule::kAny, true)},
      {"multiple", Rule(DenominatorRule::kMultiple, false)},
      {"multiple, negatives", Rule(DenominatorRule::kMultiple, true)},
      {"same", Rule(DenominatorRule::kSame, false)},
      {"same, negatives", Rule(DenominatorRule::kSame, true)},
  };
  for (const LevelPreset& preset : LevelPresets()) {
    cases.push_back({preset.command_word.data(), preset.options});
  }
  for (const OptionCase& option_case : cases) {
    const ExerciseOptions& options = option_case.options;
    for (const int32_t m : {9, 12, 20, 500}) {
      const int32_t terms = std::min(m, ComparisonKind::kLargestTerm);
      int equal = 0;
      int drawn = 0;
      for (uint32_t seed = 1; seed <= 30; ++seed) {
        LcgRandom random(seed * 104729u);
        QuestionTable table;
        DrawingContext context{random, table};
        std::set<std::string> keys;
        for (const ComparisonQuestion& q : kKind.Draw(m, kMaxQuestions, context, options)) {
          const std::string text = kKind.Text(q, options);
          SCOPED_TRACE(text + ", " + option_case.what + ", M " + std::to_string(m));
          // Terms within the cap, no whole number nor zero, two writings.
          for (const auto& [num, den] : {std::pair{q.a, q.b}, {q.c, q.d}}) {
            EXPECT_TRUE(num != 0 && std::abs(num) <= terms && den >= 2 && den <= terms);
            EXPECT_NE(num % den, 0);
            EXPECT_TRUE(options.negatives || num > 0);
          }
          EXPECT_FALSE(q.a == q.c && q.b == q.d);
          if (options.denominators == DenominatorRule::kSame) {
            EXPECT_EQ(q.b, q.d);
          } else if (options.denominators == DenominatorRule::kMultiple) {
            EXPECT_TRUE(q.b % q.d == 0 || q.d % q.b == 0);
          }
          // The key exact, and written so.
          const Exact x = Exact::Of(q.a, q.b), y = Exact::Of(q.c, q.d);
          EXPECT_EQ(q.compare, Sign(x - y));
          const char* sign = Sign(x - y) < 0 ? " < " : (Sign(x - y) > 0 ? " > " : " = ");
          const std::string fractions[] = {std::to_string(q.a) + "/" + std::to_string(q.b),
                                           std::to_string(q.c) + "/" + std::to_string(q.d)};
          EXPECT_EQ(text, fractions[0] + sign + fractions[1]);
          EXPECT_EQ(kKind.Answer(q, options), text);
          // One chain per fraction keeping its value, from the fraction to
          // it over the least common denominator; then the conclusion.
          const WorkedSteps steps = kKind.Steps(q, options);
          const auto ascii = AsciiSteps(steps);
          ASSERT_EQ(ascii.size(), 3u);
          const int32_t common = std::lcm(q.b, q.d);
          for (int i = 0; i < 2; ++i) {
            const Exact value = i == 0 ? x : y;
            EXPECT_EQ(Without(ascii[i].front(), "()"), fractions[i]);
            for (const std::string& step : ascii[i]) {
              EXPECT_EQ(ExactEvaluator::Evaluate(step), value) << step;
            }
            EXPECT_TRUE(Without(ascii[i].back(), "()").ends_with("/" + std::to_string(common)))
                << ascii[i].back();
          }
          ASSERT_EQ(ascii[2].size(), 1u);
          const auto [left, right, holds] = Compared(ascii[2][0]);
          EXPECT_TRUE(left == x && right == y && holds) << ascii[2][0];
          const StepExpression& conclusion = steps[2][0];
          if (q.b == common && q.d == common) {
            EXPECT_EQ(conclusion.operands.size(), 2u);
          } else {
            ASSERT_EQ(conclusion.operators.size(), 3u);
            EXPECT_EQ(conclusion.operators[1], StepOperator::kHence);
            EXPECT_EQ(conclusion.operators[0], conclusion.operators[2]);
            const auto [over_l, over_l2, reason_holds] = Compared(AsciiExpression(
                Binary(conclusion.operands[0], conclusion.operators[0], conclusion.operands[1])));
            EXPECT_TRUE(over_l == x && over_l2 == y && reason_holds);
          }
          EXPECT_TRUE(keys.insert(QuestionKey(kKind.KeyNumbers(q))).second) << "asked twice";
          equal += q.compare == 0 ? 1 : 0;
          ++drawn;
        }
      }
      // About one pair in eight equal (150 expected of 1200), none when
      // one denominator serves both.
      SCOPED_TRACE(std::string(option_case.what) + ", M " + std::to_string(m));
      if (options.denominators == DenominatorRule::kSame) {
        EXPECT_EQ(equal, 0);
      } else {
        EXPECT_TRUE(equal >= drawn / 12 && equal <= drawn / 5) << equal << " of " << drawn;
      }
    }
  }
}

TEST(Comparison, KeysAndChainsAreWrittenAsTheBoardHasThem) {
  const auto row = [](const ComparisonQuestion& q) {
    std::vector<std::string> written{kKind.Text(q, {})};
    for (const std::vector<std::string>& chain : AsciiSteps(kKind.Steps(q, {}))) {
      std::string joined;
      for (const std::string& step : chain) {
        joined += (joined.empty() ? "" : " = ") + step;
      }
      written.push_back(joined);
    }
    return written;
  };
  using Row = std::vector<std::string>;
  const std::vector<std::pair<Row, Row>> rows = {
      {row({3, 4, 5, 7, 1}),
       {"3/4 > 5/7", "((3)/(4)) = ((3*7)/(4*7)) = ((21)/(28))",
        "((5)/(7)) = ((5*4)/(7*4)) = ((20)/(28))", "((3)/(4)) > ((5)/(7))"}},
      {row({2, 3, 4, 6, 0}),
       {"2/3 = 4/6", "((2)/(3)) = ((2*2)/(3*2)) = ((4)/(6))", "((4)/(6))",
        "((2)/(3)) = ((4)/(6))"}},
      {row({-2, 3, -4, 7, -1}),
       {"-2/3 < -4/7", "-((2)/(3)) = -((2*7)/(3*7)) = -((14)/(21))",
        "-((4)/(7)) = -((4*3)/(7*3)) = -((12)/(21))", "-((2)/(3)) < (-((4)/(7)))"}},
      {row({5, 8, 7, 8, -1}), {"5/8 < 7/8", "((5)/(8))", "((7)/(8))", "((5)/(8)) < ((7)/(8))"}},
  };
  for (const auto& [got, want] : rows) {
    EXPECT_EQ(got, want);
  }
  // "a/b ... c/d" and "c/d ... a/b" are two questions a sheet may hold.
  EXPECT_NE(QuestionKey(kKind.KeyNumbers({3, 4, 5, 7, 1})),
            QuestionKey(kKind.KeyNumbers({5, 7, 3, 4, -1})));
  // The reason before "donc": both fractions over 28, compared.
  const WorkedSteps steps = kKind.Steps({3, 4, 5, 7, 1}, {});
  const StepExpression& last = steps[2][0];
  EXPECT_EQ(AsciiExpression(Binary(last.operands[0], last.operators[0], last.operands[1])),
            "((21)/(28)) > ((20)/(28))");
}

}  // namespace
}  // namespace fractions
