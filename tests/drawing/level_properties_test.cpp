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

#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"

namespace fractions {
namespace {

// What the sheets of one level and type held.
struct Sheets {
  int questions = 0;
  std::vector<std::string> forbidden;  // the first few, to name them
  int whole_operands = 0;              // a question with a/1 among its fractions
  int whole_results = 0;               // a simplification whose result is whole
  std::set<std::vector<int32_t>> reached;
  int32_t largest_a = 0;  // of every question's terms a and b
  int32_t largest_b = 0;

  void Forbid(bool wrong, const std::string& what) {
    if (wrong && forbidden.size() < 5) {
      forbidden.push_back(what);
    }
  }
};

std::string Fraction(int32_t num, int32_t den) {
  return std::to_string(num) + "/" + std::to_string(den);
}

void Look(const OperationKind& kind, const ExerciseOptions& o, int32_t, const OperationQuestion& q,
          Sheets& sheets) {
  const std::string text = kind.Text(q, o);
  sheets.Forbid(std::abs(q.a) == q.b || std::abs(q.c) == q.d, "n/n in " + text);
  // x - x, x + (-x), x : x, x : (-x): 0 or 1 at a glance.
  const bool same_size = std::abs(q.a) == std::abs(q.c) && q.b == q.d;
  const bool opposite = q.a == -q.c;
  const bool at_a_glance[] = {same_size && opposite, same_size && !opposite, false, same_size};
  sheets.Forbid(at_a_glance[static_cast<int>(kind.operation)], text);
  sheets.whole_operands += q.b == 1 || q.d == 1 ? 1 : 0;
  sheets.reached.insert({q.b, q.d});
}

void Look(const SimplificationKind&, const ExerciseOptions&, int32_t,
          const SimplificationQuestion& q, Sheets& sheets) {
  const std::string text = Fraction(q.a, q.b);
  sheets.Forbid(q.a == q.b, "n/n: " + text);
  sheets.Forbid(std::gcd(q.a, q.b) == 1, "nothing to simplify: " + text);
  sheets.whole_results += q.q == 1 ? 1 : 0;
  sheets.reached.insert({q.a, q.b});
}

void Look(const CommonDenominatorKind& kind, const ExerciseOptions& o, int32_t,
          const CommonDenominatorQuestion& q, Sheets& sheets) {
  const std::string text = kind.Text(q, o);
  sheets.Forbid(q.a == q.b || q.c == q.d, "n/n in " + text);
  sheets.Forbid(q.b / std::gcd(q.a, q.b) == q.d / std::gcd(q.c, q.d), "one denominator: " + text);
  sheets.whole_operands += q.b == 1 || q.d == 1 ? 1 : 0;
  sheets.reached.insert({q.b, q.d});
}

int32_t LargestExponent(Level level) {
  return level == Level::k3e ? 5 : 4;
}

void Look(const PowerKind& kind, const ExerciseOptions& o, int32_t m, const PowerQuestion& q,
          Sheets& sheets) {
  const std::string text = kind.Text(q, o);
  sheets.Forbid(q.exponent < 2 || q.exponent > LargestExponent(o.level), "exponent: " + text);
  sheets.Forbid(q.a < 1 || q.a > m || q.b > m, "a term beyond the largest: " + text);
  sheets.Forbid(q.form == PowerForm::kWholeFraction && q.a == q.b, "(n/n)^k: " + text);
  sheets.Forbid(q.form == PowerForm::kNumeratorOnly && q.a == 1, "1^k: " + text);
  sheets.reached.insert({static_cast<int32_t>(q.form), q.exponent});
  sheets.largest_a = std::max(sheets.largest_a, q.a);
  sheets.largest_b = std::max(sheets.largest_b, q.b);
}

// Every kind of question the rules allow, as Look records it: each
// denominator pair the level's rule admits (reductions: two different
// denominators), each fraction that simplifies, each form and exponent of
// a power.
std::set<std::vector<int32_t>> Allowed(ExerciseType type, const ExerciseOptions& o, int32_t m) {
  std::set<std::vector<int32_t>> allowed;
  const bool reduction = type == ExerciseType::kCommonDenominator;
  switch (type) {
    case ExerciseType::kPowers:
      for (int32_t form = 1; form <= 3; ++form) {
        for (int32_t e = 2; e <= LargestExponent(o.level); ++e) {
          allowed.insert({form, e});
        }
      }
      return allowed;
    case ExerciseType::kSimplification:
      for (int32_t a = 1; a <= m; ++a) {
        for (int32_t b = 2; b <= m; ++b) {
          if (a != b && std::gcd(a, b) > 1) {
            allowed.insert({a, b});
          }
        }
      }
      return allowed;
    default:
      for (int32_t b = 1; b <= m; ++b) {
        for (int32_t d = 1; d <= m; ++d) {
          const bool related = b >= 2 && d >= 2 && (b % d == 0 || d % b == 0);
          const bool admitted =
              o.denominators == DenominatorRule::kAny
                  ? b != 1 || d != 1
                  : (o.denominators == DenominatorRule::kSame ? b == d && b >= 2 : related);
          if (admitted && !(reduction && b == d)) {
            allowed.insert({b, d});
          }
        }
      }
      return allowed;
  }
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
    Sheets sheets;
    for (uint32_t seed = 1; seed <= sheet_count; ++seed) {
      LcgRandom random(seed * 2654435761u);
      QuestionTable table;
      DrawingContext context{random, table};
      const QuestionSet set = RunDrawingPhase(type, m, count, context, asked);
      ASSERT_EQ(QuestionCount(set), static_cast<size_t>(count));
      std::visit(
          [&](const auto& drawn) {
            for (const auto& q : drawn.questions) {
              Look(drawn.kind, drawn.options, m, q, sheets);
              ++sheets.questions;
            }
          },
          set);
    }
    EXPECT_EQ(sheets.forbidden, std::vector<std::string>{});
    EXPECT_LE(sheets.whole_operands * 10, sheets.questions);
    EXPECT_LE(sheets.whole_results * 5, sheets.questions);
    if (asked != preset.options) {
      continue;
    }
    const std::set<std::vector<int32_t>> allowed = Allowed(type, options, m);
    EXPECT_TRUE(std::includes(allowed.begin(), allowed.end(), sheets.reached.begin(),
                              sheets.reached.end()));
    // Two denominators whose product reaches 1000 need a common factor to
    // keep the answer below 1000 (or an n/n): 29/37 + 2/41 never comes.
    const bool pairs = type != ExerciseType::kPowers && type != ExerciseType::kSimplification;
    std::vector<std::vector<int32_t>> missed;
    for (const std::vector<int32_t>& kind : allowed) {
      if (!sheets.reached.contains(kind) && !(pairs && kind[0] * kind[1] >= 1000)) {
        missed.push_back(kind);
      }
    }
    EXPECT_EQ(missed, std::vector<std::vector<int32_t>>{});
    if (type == ExerciseType::kPowers) {
      EXPECT_EQ(sheets.largest_a, m);
      EXPECT_EQ(sheets.largest_b, m);
    }
  }
}

std::string ParamName(const ::testing::TestParamInfo<LevelSheets::ParamType>& info) {
  return "L" + std::string(FindLevelPreset(std::get<0>(info.param))->command_word) + "_" +
         std::string(Describe(std::get<1>(info.param)).command_word);
}

INSTANTIATE_TEST_SUITE_P(EveryLevelAndType, LevelSheets,
                         ::testing::Combine(::testing::Values(Level::kCM2, Level::k6e, Level::k5e,
                                                              Level::k4e, Level::k3e),
                                            ::testing::ValuesIn(kAllExerciseTypes)),
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
