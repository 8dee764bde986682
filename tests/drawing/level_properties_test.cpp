// A level's sheets, as a teacher of that class reads them, over many seeds
// for every level and type at the level's own largest term: no question
// whose answer needs no work, whole numbers no more often than a textbook
// sets them, powers within the level's exponents and terms, and every kind
// of question the rules allow still drawn. Exact, irreducible keys at a
// level are options_properties_test's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "button_types.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"

namespace fractions {
namespace {

// One question as a teacher reads it: whether its answer needs no work,
// whether it shows a whole number, and what kind of question it is (its
// denominator pair, its fraction, its power's form and exponent; {-1} and
// {-2} when a power's a or b is the largest term).
struct Seen {
  bool forbidden = false;
  bool whole = false;
  std::vector<std::vector<int32_t>> kinds;
};

Seen Look(const OperationKind& kind, Level, int32_t, const OperationQuestion& q) {
  // No n/n, and no x - x, x + (-x), x : x or x : (-x): 0 or 1 at a glance,
  // by value, however the two are written (16/20 - 4/5).
  const int64_t left = int64_t{q.a} * q.d;
  const int64_t right = int64_t{q.c} * q.b;
  const bool at_a_glance[] = {left == -right, left == right, false,
                              left == right || left == -right};
  return {
      std::abs(q.a) == q.b || std::abs(q.c) == q.d || at_a_glance[static_cast<int>(kind.operation)],
      q.b == 1 || q.d == 1,
      {{q.b, q.d}}};
}

Seen Look(const SimplificationKind&, Level, int32_t, const SimplificationQuestion& q) {
  return {q.a == q.b || std::gcd(q.a, q.b) == 1, q.q == 1, {{q.a, q.b}}};
}

Seen Look(const CommonDenominatorKind&, Level, int32_t, const CommonDenominatorQuestion& q) {
  const bool one_denominator = q.b / std::gcd(q.a, q.b) == q.d / std::gcd(q.c, q.d);
  return {q.a == q.b || q.c == q.d || one_denominator, q.b == 1 || q.d == 1, {{q.b, q.d}}};
}

int32_t LargestExponent(Level level) {
  return level == Level::k3e ? 5 : 4;
}

Seen Look(const PowerKind&, Level level, int32_t m, const PowerQuestion& q) {
  Seen seen{q.exponent < 2 || q.exponent > LargestExponent(level) || q.a < 1 || q.a > m ||
                q.b > m || (q.form == PowerForm::kWholeFraction && q.a == q.b) ||
                (q.form == PowerForm::kNumeratorOnly && q.a == 1),
            false,
            {{static_cast<int32_t>(q.form), q.exponent}}};
  for (const auto& [term, largest] : {std::pair{q.a, -1}, std::pair{q.b, -2}}) {
    if (term == m) {
      seen.kinds.push_back({largest});
    }
  }
  return seen;
}

// Every kind of question the rules allow: each denominator pair the rule
// admits (a reduction's two different), each fraction that simplifies,
// each form and exponent of a power and its terms up to the largest.
std::set<std::vector<int32_t>> Allowed(ExerciseType type, const ExerciseOptions& o, int32_t m) {
  std::set<std::vector<int32_t>> allowed;
  if (type == ExerciseType::kPowers) {
    allowed = {{-1}, {-2}};
    for (int32_t form = 1; form <= 3; ++form) {
      for (int32_t e = 2; e <= LargestExponent(o.level); ++e) {
        allowed.insert({form, e});
      }
    }
    return allowed;
  }
  for (int32_t x = 1; x <= m; ++x) {
    for (int32_t y = 1; y <= m; ++y) {
      bool in = false;
      if (type == ExerciseType::kSimplification) {
        in = y >= 2 && x != y && std::gcd(x, y) > 1;
      } else if (o.denominators == DenominatorRule::kAny) {
        in = x != 1 || y != 1;
      } else if (o.denominators == DenominatorRule::kSame) {
        in = x == y && x >= 2;
      } else {
        in = x >= 2 && y >= 2 && (x % y == 0 || y % x == 0);
      }
      if (in && !(type == ExerciseType::kCommonDenominator && x == y)) {
        allowed.insert({x, y});
      }
    }
  }
  return allowed;
}

class LevelSheets : public ::testing::TestWithParam<std::tuple<Level, ExerciseType>> {};

// The sheets of a level, drawn with its options, then with any
// denominators instead, as "--level cm2 --denominators any" asks: whole
// numbers then come in every type with two denominators, and the same
// rules hold. What they reach is checked with the level's own options
// only: with any denominators, a subtraction without negative numbers
// draws some pairs too rarely, a/14 - c/2 needing a at least 7c.
TEST_P(LevelSheets, HoldWhatTheClassIsSetAndReachAllOfIt) {
  const auto [level, type] = GetParam();
  const LevelPreset& preset = *FindLevelPreset(level);
  const int32_t m = preset.largest_term;
  // A level's simplifications up to 12 fill 37 questions at most.
  const int32_t count = type == ExerciseType::kSimplification && m < 20 ? 30 : kMaxQuestions;
  ExerciseOptions any_denominators = preset.options;
  any_denominators.denominators = DenominatorRule::kAny;
  for (const ExerciseOptions& asked : {preset.options, any_denominators}) {
    const ExerciseOptions options = OptionsUsed(asked, OptionUseOf(type));
    SCOPED_TRACE(std::string(DenominatorRuleWord(options.denominators)) + " denominators");
    // Enough sheets to draw each of the 2,499 pairs up to 50 many times.
    const uint32_t sheet_count = m < 50 ? 400 : 1250;
    int questions = 0, forbidden = 0, whole = 0;
    std::string first_forbidden;
    std::set<std::vector<int32_t>> reached;
    for (uint32_t seed = 1; seed <= sheet_count; ++seed) {
      LcgRandom random(seed * 2654435761u);
      QuestionTable table;
      DrawingContext context{random, table};
      const QuestionSet set = RunDrawingPhase(type, m, count, context, asked);
      ASSERT_EQ(QuestionCount(set), static_cast<size_t>(count));
      std::visit(
          [&](const auto& drawn) {
            if constexpr (requires { Look(drawn.kind, level, m, drawn.questions[0]); }) {
              for (const auto& q : drawn.questions) {
                const Seen seen = Look(drawn.kind, level, m, q);
                ++questions;
                forbidden += seen.forbidden ? 1 : 0;
                if (seen.forbidden && first_forbidden.empty()) {
                  first_forbidden = drawn.kind.Text(q, drawn.options);
                }
                whole += seen.whole ? 1 : 0;
                reached.insert(seen.kinds.begin(), seen.kinds.end());
              }
            } else {
              ADD_FAILURE() << "no check for this kind";
            }
          },
          set);
    }
    EXPECT_EQ(forbidden, 0) << first_forbidden;
    // Whole operands at most one question in ten, whole results one in five.
    EXPECT_LE(whole * (type == ExerciseType::kSimplification ? 5 : 10), questions);
    if (asked != preset.options) {
      continue;
    }
    const std::set<std::vector<int32_t>> allowed = Allowed(type, options, m);
    EXPECT_TRUE(std::includes(allowed.begin(), allowed.end(), reached.begin(), reached.end()));
    // Two denominators whose product reaches 1000 need a common factor to
    // keep the answer below 1000 (or an n/n): 29/37 + 2/41 never comes.
    const bool pairs = type != ExerciseType::kPowers && type != ExerciseType::kSimplification;
    std::vector<std::vector<int32_t>> missed;
    for (const std::vector<int32_t>& kind : allowed) {
      if (!reached.contains(kind) && !(pairs && kind[0] * kind[1] >= 1000)) {
        missed.push_back(kind);
      }
    }
    EXPECT_EQ(missed, std::vector<std::vector<int32_t>>{});
  }
}

std::string ParamName(const ::testing::TestParamInfo<LevelSheets::ParamType>& info) {
  return "L" + std::string(FindLevelPreset(std::get<0>(info.param))->command_word) + "_" +
         std::string(Describe(std::get<1>(info.param)).command_word);
}

INSTANTIATE_TEST_SUITE_P(EveryLevelAndType, LevelSheets,
                         ::testing::Combine(::testing::Values(Level::kCM2, Level::k6e, Level::k5e,
                                                              Level::k4e, Level::k3e),
                                            ::testing::ValuesIn(testing::ButtonTypes())),
                         ParamName);

// Fewer questions than asked: the refusal gives the largest sheet the
// rules allow. At CM2, 30 fractions up to 12 simplify to a fraction and 12
// to a whole number, one in five of a sheet: 37 at most (30 + 37 / 5).
TEST(LevelSheets, TooFewSimplificationsSayHowManyASheetCanHold) {
  const LevelPreset& cm2 = *FindLevelPreset(Level::kCM2);
  for (const int32_t count : {37, 38, 40}) {
    LcgRandom random(5);
    QuestionTable table;
    DrawingContext context{random, table};
    try {
      const QuestionSet set = RunDrawingPhase(ExerciseType::kSimplification, cm2.largest_term,
                                              count, context, cm2.options);
      EXPECT_EQ(count, 37);
      EXPECT_EQ(QuestionCount(set), size_t{37});
    } catch (const TooFewQuestions& error) {
      EXPECT_NE(count, 37);
      EXPECT_EQ(error.Available(), 37) << error.what();
    }
  }
}

}  // namespace
}  // namespace fractions
