// Comparing two fractions, as a teacher checks a sheet: over many seeds and
// every option, the sign exact (rationals computed here), no whole number
// nor one fraction twice, the denominators as asked; every worked row
// keeps its fraction's value and ends over the least common denominator,
// and the last row's reason is true and gives the conclusion; each level
// draws within its row, no more than its share decided at a glance or
// equal; the request's examples pinned.
#include "drawing/kinds/comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "drawing/exact_value.h"
#include "level_sheet.h"

namespace fractions {
namespace {

using testing::Board;
using testing::Exact;
using testing::ExactEvaluator;
using testing::LevelSheet;

constexpr ComparisonKind kKind{};
const std::string kSameDenominator = "m\xEAme d\xE9nominateur : ";
const std::string kSameNumerator = "m\xEAme num\xE9rateur : ";

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

// Whether a pair is decided at a glance: on either side of 0, or of 1.
bool AtAGlance(const ComparisonQuestion& q) {
  const Exact one{1, 1};
  return (q.a < 0) != (q.c < 0) ||
         (q.a > 0 && q.c > 0 && Sign(Exact::Of(q.a, q.b) - one) != Sign(Exact::Of(q.c, q.d) - one));
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
      // Each level's own cap is EachLevelDrawsItsRow's.
      const int32_t terms = std::min(m, 20);
      for (uint32_t seed = 1; seed <= 30; ++seed) {
        LcgRandom random(seed * 104729u);
        QuestionTable table;
        DrawingContext context{random, table};
        for (const ComparisonQuestion& q : kKind.Draw(m, kMaxQuestions, context, options)) {
          const std::string text = kKind.Text(q, options);
          SCOPED_TRACE(text + ", rule " + std::to_string(static_cast<int>(options.denominators)) +
                       ", M " + std::to_string(m) + " " + testing::LevelName(options.level));
          // Terms within the cap, no whole number nor zero, two writings,
          // the denominators as asked.
          for (const auto& [num, den] : {std::pair{q.a, q.b}, {q.c, q.d}}) {
            EXPECT_TRUE(num != 0 && std::abs(num) <= terms && den >= 2 && den <= terms);
            EXPECT_TRUE(num % den != 0 && (options.negatives || num > 0));
          }
          EXPECT_FALSE(q.a == q.c && q.b == q.d);
          EXPECT_TRUE(options.denominators != DenominatorRule::kSame || q.b == q.d);
          // With multiples, only a pair of one numerator (at 5e) takes any two.
          EXPECT_TRUE(options.denominators != DenominatorRule::kMultiple || q.b % q.d == 0 ||
                      q.d % q.b == 0 || (options.level == Level::k5e && q.a == q.c));
          // The key exact, and written so.
          const std::string written[] = {std::to_string(q.a) + "/" + std::to_string(q.b),
                                         std::to_string(q.c) + "/" + std::to_string(q.d)};
          const Exact x = Exact::Of(q.a, q.b), y = Exact::Of(q.c, q.d);
          EXPECT_EQ(q.compare, Sign(x - y));
          EXPECT_TRUE(States(text, x, y) && text.starts_with(written[0] + " ") &&
                      text.ends_with(" " + written[1]) && kKind.Answer(q, options) == text);
          // A row per fraction not over the least common denominator yet,
          // keeping its value to it over that denominator.
          const WorkedSteps steps = kKind.Steps(q, options);
          const auto ascii = AsciiSteps(steps);
          const int32_t common = std::lcm(q.b, q.d);
          const std::string over = "/" + std::to_string(common);
          ASSERT_FALSE(ascii.empty());
          std::vector<std::string> rows;
          for (size_t i = 0; i + 1 < ascii.size(); ++i) {
            const std::vector<std::string>& chain = ascii[i];
            rows.push_back(Plain(chain.front()));
            const Exact value = rows.back() == written[0] ? x : y;
            for (const std::string& step : chain) {
              EXPECT_EQ(ExactEvaluator::Evaluate(step), value) << step;
            }
            EXPECT_TRUE(Plain(chain.back()).ends_with(over)) << chain.back();
          }
          // The conclusion, and before "donc" its reason: x and y on either
          // side of one number; over one denominator the numerators, over
          // one numerator the denominators; else the two over `common`.
          ASSERT_EQ(steps.back().size(), 1u);
          const StepExpression& last = steps.back()[0];
          EXPECT_TRUE(States(ascii.back()[0], x, y)) << ascii.back()[0];
          const std::string board = Board(last);
          const std::string reason =
              board.substr(last.words.size(), board.find(" donc ") - last.words.size());
          const size_t et = reason.find(" et ");
          EXPECT_EQ(et != std::string::npos, AtAGlance(q)) << board;
          if (et != std::string::npos) {
            const std::string second = reason.substr(et + 4);
            const Exact k =
                ExactEvaluator::Evaluate(second.substr(second.find_first_of("<>=") + 1));
            EXPECT_TRUE(States(reason.substr(0, et), x, k) && States(second, y, k) &&
                        Sign(x - k) == q.compare && Sign(y - k) == -q.compare)
                << board;
          } else if (last.words == kSameDenominator) {
            EXPECT_TRUE(q.b == q.d && States(reason, Exact::Of(q.a, 1), Exact::Of(q.c, 1)))
                << board;
          } else if (!last.words.empty()) {
            EXPECT_TRUE(last.words == kSameNumerator && q.a == q.c &&
                        States(reason, Exact::Of(q.b, 1), Exact::Of(q.d, 1)))
                << board;
          } else {
            EXPECT_TRUE(States(reason, x, y) && Plain(reason).ends_with(over) &&
                        Plain(reason).find(over + " ") != std::string::npos)
                << board;
          }
          std::vector<std::string> want;  // over the common denominator: no row
          for (const auto& [fraction, den] : {std::pair{written[0], q.b}, {written[1], q.d}}) {
            if (den != common && last.words.empty() && et == std::string::npos) {
              want.push_back(fraction);
            }
          }
          EXPECT_EQ(rows, want) << board;
        }
      }
    }
  }
}

// Sheets of 4, 12 and 40 at each level: at most one pair in five decided
// at a glance and one in eight equal; the row's terms and least common
// denominators, reached on full sheets; at 5e one pair in four of one
// numerator.
TEST(Comparison, EachLevelDrawsItsRowWithFewPairsDecidedAtAGlance) {
  struct Row {
    Level level;
    int32_t terms, common;
    double fewest_one_numerator, most_one_numerator;
  };
  const Row rows[] = {
      {Level::kFree, 12, 132, 0.0, 0.15}, {Level::kCM2, 10, 10, 0.0, 0.0},
      {Level::k6e, 12, 12, 0.0, 0.15},    {Level::k5e, 12, 132, 0.2, 0.3},
      {Level::k4e, 12, 132, 0.0, 0.15},   {Level::k3e, 20, 120, 0.0, 0.15},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::LevelName(row.level));
    for (const int count : {4, 12, kMaxQuestions}) {
      int drawn = 0, glance = 0, equal = 0, one_numerator = 0, negative = 0;
      int32_t largest = 0, largest_common = 0;
      for (uint32_t seed = 1; seed <= 100; ++seed) {
        int sheet_glance = 0, sheet_equal = 0;
        for (const ComparisonQuestion& q : LevelSheet(kKind, row.level, count, seed)) {
          sheet_glance += AtAGlance(q) ? 1 : 0;
          sheet_equal += q.compare == 0 ? 1 : 0;
          one_numerator += q.a == q.c ? 1 : 0;
          negative += q.a < 0 || q.c < 0 ? 1 : 0;
          largest = std::max({largest, std::abs(q.a), q.b, std::abs(q.c), q.d});
          largest_common = std::max(largest_common, std::lcm(q.b, q.d));
          ++drawn;
        }
        EXPECT_LE(sheet_glance, count / 5) << "seed " << seed;
        EXPECT_LE(sheet_equal, count / 8) << "seed " << seed;
        glance += sheet_glance;
        equal += sheet_equal;
      }
      EXPECT_LE(largest, row.terms);
      EXPECT_LE(largest_common, row.common);
      EXPECT_EQ(negative > 0, row.level >= Level::k4e);
      if (count == kMaxQuestions) {
        EXPECT_EQ(largest, row.terms) << "the row's largest terms never come";
        EXPECT_EQ(largest_common, row.common) << "the row's common denominators never come";
        EXPECT_GE(glance, drawn / 8) << "comparing with 1 or 0 lost";
        EXPECT_GE(equal, row.level == Level::kCM2 ? 0 : drawn / 12);  // CM2: one denominator
        EXPECT_GE(one_numerator, row.fewest_one_numerator * drawn);
        EXPECT_LE(one_numerator, row.most_one_numerator * drawn);
      }
    }
  }
}

TEST(Comparison, KeysAndChainsAreWrittenAsTheBoardHasThem) {
  using Rows = std::vector<std::string>;
  const auto board = [](const ComparisonQuestion& q, Level level) {
    Rows written = testing::BoardRows(kKind.Steps(q, {.level = level}));
    written.insert(written.begin(), kKind.Text(q, {.level = level}));
    return written;
  };
  const std::vector<std::pair<Rows, Rows>> rows = {
      // A fraction over the common denominator already has no row.
      {board({3, 4, 5, 12, 1}, Level::k6e),
       {"3/4 > 5/12", "((3)/(4)) = ((3*3)/(4*3)) = ((9)/(12))",
        "((9)/(12)) > ((5)/(12)) donc ((3)/(4)) > ((5)/(12))"}},
      {board({2, 3, 4, 6, 0}, Level::kFree),
       {"2/3 = 4/6", "((2)/(3)) = ((2*2)/(3*2)) = ((4)/(6))",
        "((4)/(6)) = ((4)/(6)) donc ((2)/(3)) = ((4)/(6))"}},
      {board({3, 12, 6, 12, -1}, Level::kCM2),
       {"3/12 < 6/12", kSameDenominator + "3 < 6 donc ((3)/(12)) < ((6)/(12))"}},
      {board({3, 4, 7, 5, -1}, Level::k6e),
       {"3/4 < 7/5", "((3)/(4)) < 1 et ((7)/(5)) > 1 donc ((3)/(4)) < ((7)/(5))"}},
      {board({-2, 3, 1, 4, -1}, Level::k4e),
       {"-2/3 < 1/4", "-((2)/(3)) < 0 et ((1)/(4)) > 0 donc -((2)/(3)) < ((1)/(4))"}},
      {board({3, 5, 3, 7, 1}, Level::k5e),
       {"3/5 > 3/7", kSameNumerator + "5 < 7 donc ((3)/(5)) > ((3)/(7))"}},
      // Before 5e one numerator is compared over a common denominator.
      {board({3, 5, 3, 10, 1}, Level::k6e),
       {"3/5 > 3/10", "((3)/(5)) = ((3*2)/(5*2)) = ((6)/(10))",
        "((6)/(10)) > ((3)/(10)) donc ((3)/(5)) > ((3)/(10))"}},
  };
  for (const auto& [got, want] : rows) {
    EXPECT_EQ(got, want);
  }
}

}  // namespace
}  // namespace fractions
