// Comparing two fractions, as a teacher checks a sheet: over many seeds and
// every option, the sign exact (rationals computed here), no whole number
// nor one fraction twice, the denominators as asked, about one pair in
// eight equal, no question twice; every worked chain keeps its fraction's
// value and ends over the least common denominator, and the conclusion and
// its reason are true; the request's examples pinned.
#include "drawing/kinds/comparison.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <set>
#include <string>
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

// Whether "X s Y" reads x s y, s one of < > = and true of them.
bool States(const std::string& ascii, const Exact& x, const Exact& y) {
  const size_t at = ascii.find_first_of("<>=");
  if (at == std::string::npos) {
    return false;
  }
  const int sign = ascii[at] == '<' ? -1 : (ascii[at] == '>' ? 1 : 0);
  return ExactEvaluator::Evaluate(ascii.substr(0, at)) == x &&
         ExactEvaluator::Evaluate(ascii.substr(at + 1)) == y && Sign(x - y) == sign;
}

std::string Plain(std::string text) {
  std::erase_if(text, [](char ch) { return ch == '(' || ch == ')'; });
  return text;
}

TEST(Comparison, EverySheetHoldsSoundQuestionsAndWorkedKeys) {
  std::vector<ExerciseOptions> cases;
  for (const DenominatorRule rule :
       {DenominatorRule::kAny, DenominatorRule::kMultiple, DenominatorRule::kSame}) {
    cases.push_back({.denominators = rule});
    cases.push_back({.denominators = rule, .negatives = true});
  }
  for (const LevelPreset& preset : LevelPresets()) {
    cases.push_back(preset.options);
  }
  for (const ExerciseOptions& options : cases) {
    for (const int32_t m : {9, 12, 20, 500}) {
      const int32_t terms = std::min(m, ComparisonKind::kLargestTerm);
      int equal = 0, drawn = 0;
      for (uint32_t seed = 1; seed <= 30; ++seed) {
        LcgRandom random(seed * 104729u);
        QuestionTable table;
        DrawingContext context{random, table};
        std::set<std::string> keys;
        for (const ComparisonQuestion& q : kKind.Draw(m, kMaxQuestions, context, options)) {
          const std::string text = kKind.Text(q, options);
          SCOPED_TRACE(text + ", rule " + std::to_string(static_cast<int>(options.denominators)) +
                       ", M " + std::to_string(m));
          // Terms within the cap, no whole number nor zero, two writings,
          // the denominators as asked.
          for (const auto& [num, den] : {std::pair{q.a, q.b}, {q.c, q.d}}) {
            EXPECT_TRUE(num != 0 && std::abs(num) <= terms && den >= 2 && den <= terms);
            EXPECT_TRUE(num % den != 0 && (options.negatives || num > 0));
          }
          EXPECT_FALSE(q.a == q.c && q.b == q.d);
          EXPECT_TRUE(options.denominators != DenominatorRule::kSame || q.b == q.d);
          EXPECT_TRUE(options.denominators != DenominatorRule::kMultiple || q.b % q.d == 0 ||
                      q.d % q.b == 0);
          // The key exact, and written so.
          const std::string written[] = {std::to_string(q.a) + "/" + std::to_string(q.b),
                                         std::to_string(q.c) + "/" + std::to_string(q.d)};
          const Exact x = Exact::Of(q.a, q.b), y = Exact::Of(q.c, q.d);
          EXPECT_EQ(q.compare, Sign(x - y));
          EXPECT_TRUE(States(text, x, y) && text.starts_with(written[0] + " ") &&
                      text.ends_with(" " + written[1]) && kKind.Answer(q, options) == text);
          // One chain per fraction keeping its value, from the fraction to
          // it over the least common denominator; then the conclusion, with
          // its reason over that denominator unless both were over it.
          const WorkedSteps steps = kKind.Steps(q, options);
          const auto ascii = AsciiSteps(steps);
          ASSERT_EQ(ascii.size(), 3u);
          const std::string common = "/" + std::to_string(std::lcm(q.b, q.d));
          for (int i = 0; i < 2; ++i) {
            const std::vector<std::string>& chain = ascii[i];
            const Exact& value = i == 0 ? x : y;
            EXPECT_EQ(Plain(chain.front()), written[i]);
            for (const std::string& step : chain) {
              EXPECT_EQ(ExactEvaluator::Evaluate(step), value) << step;
            }
            EXPECT_TRUE(Plain(chain.back()).ends_with(common)) << chain.back();
          }
          ASSERT_EQ(ascii[2].size(), 1u);
          EXPECT_TRUE(States(ascii[2][0], x, y)) << ascii[2][0];
          const StepExpression& conclusion = steps[2][0];
          if (q.b != q.d) {
            ASSERT_EQ(conclusion.operators.size(), 3u);
            EXPECT_EQ(conclusion.operators[1], StepOperator::kHence);
            const std::string reason = AsciiExpression(
                Binary(conclusion.operands[0], conclusion.operators[0], conclusion.operands[1]));
            EXPECT_TRUE(States(reason, x, y) && Plain(reason).find(common) != std::string::npos)
                << reason;
          } else {
            EXPECT_EQ(conclusion.operands.size(), 2u);
          }
          EXPECT_TRUE(keys.insert(kKind.RepeatKey(q)).second) << "asked twice";
          equal += q.compare == 0 ? 1 : 0;
          ++drawn;
        }
      }
      // About one pair in eight equal (150 expected of 1200), none when
      // one denominator serves both.
      const bool same = options.denominators == DenominatorRule::kSame;
      EXPECT_TRUE(same ? equal == 0 : equal >= drawn / 12 && equal <= drawn / 5) << equal;
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
        "-((4)/(7)) = -((4*3)/(7*3)) = -((12)/(21))", "-((2)/(3)) < -((4)/(7))"}},
  };
  for (const auto& [got, want] : rows) {
    EXPECT_EQ(got, want);
  }
  // "a/b ... c/d" and "c/d ... a/b" are two questions a sheet may hold.
  EXPECT_NE(QuestionKey(kKind.KeyNumbers({3, 4, 5, 7, 1})),
            QuestionKey(kKind.KeyNumbers({5, 7, 3, 4, -1})));
}

}  // namespace
}  // namespace fractions
