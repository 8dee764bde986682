// Every question drawn with options satisfies them, over many seeds, for
// every exercise type: the denominators related as asked, signs only where
// asked, exact irreducible keys (checked with 128-bit integers), the mixed
// form and the least common denominator right; and a drawing that cannot
// find enough questions says how many it found instead of looping.
#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <string>

#include "button_types.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"

namespace fractions {
namespace {

__extension__ using Int128 = __int128;

struct Tally {
  int numerators = 0;
  int negative = 0;
};

void ExpectIrreducible(int32_t num, int32_t den) {
  EXPECT_GE(den, 1);
  EXPECT_LE(den, 999);
  EXPECT_LE(std::abs(num), 999);
  EXPECT_EQ(std::gcd(num, den), 1) << num << "/" << den;
}

// x/y == u/v, exactly (y, v not zero).
bool SameValue(Int128 x, Int128 y, Int128 u, Int128 v) {
  return x * v == u * y;
}

void ExpectMixedForm(const ExerciseOptions& o, const QuestionFields& fields, int32_t num,
                     int32_t den) {
  const bool expected = o.mixed && num > den && den > 1;
  ASSERT_EQ(fields.mixed.has_value(), expected) << num << "/" << den;
  if (expected) {
    const MixedNumber& m = *fields.mixed;
    EXPECT_EQ(Int128{m.whole} * den + m.num, num);
    EXPECT_TRUE(m.num > 0 && m.num < den && m.den == den);
  }
}

void ExpectRelated(const ExerciseOptions& o, int32_t b, int32_t d) {
  if (o.denominators == DenominatorRule::kMultiple) {
    EXPECT_TRUE(b % d == 0 || d % b == 0) << b << ", " << d;
  }
  if (o.denominators == DenominatorRule::kSame) {
    EXPECT_TRUE(b == d && b >= 2) << b << ", " << d;
  }
}

void Check(const OperationKind& kind, const ExerciseOptions& o, int32_t m,
           const OperationQuestion& q, Tally& tally) {
  for (const int32_t numerator : {q.a, q.c}) {
    EXPECT_TRUE(numerator != 0 && std::abs(numerator) <= m);
    EXPECT_TRUE(o.negatives || numerator > 0);
    ++tally.numerators;
    tally.negative += numerator < 0 ? 1 : 0;
  }
  for (const int32_t denominator : {q.b, q.d}) {
    EXPECT_TRUE(denominator >= 1 && denominator <= m);
  }
  EXPECT_FALSE(q.b == 1 && q.d == 1);
  ExpectRelated(o, q.b, q.d);
  ExpectIrreducible(q.num, q.den);
  const Int128 a = q.a, b = q.b, c = q.c, d = q.d;
  switch (kind.operation) {
    case Operation::kAdd:
      EXPECT_TRUE(SameValue(q.num, q.den, a * d + b * c, b * d));
      break;
    case Operation::kSubtract:
      EXPECT_TRUE(SameValue(q.num, q.den, a * d - b * c, b * d));
      EXPECT_TRUE(o.negatives || q.num >= 0);
      break;
    case Operation::kMultiply:
      EXPECT_TRUE(SameValue(q.num, q.den, a * c, b * d));
      break;
    case Operation::kDivide:
      EXPECT_TRUE(SameValue(q.num, q.den, a * d, b * c));
      EXPECT_NE(kind.Text(q, o).find(DivisionOperatorText(o.division_sign)), std::string::npos);
      break;
  }
  ExpectMixedForm(o, kind.Fields(q, o), q.num, q.den);
}

void Check(const PowerKind& kind, const ExerciseOptions& o, int32_t, const PowerQuestion& q,
           Tally&) {
  ExpectIrreducible(q.p, q.q);
  ExpectMixedForm(o, kind.Fields(q, o), q.p, q.q);
}

void Check(const SimplificationKind& kind, const ExerciseOptions& o, int32_t,
           const SimplificationQuestion& q, Tally&) {
  ExpectIrreducible(q.p, q.q);
  EXPECT_TRUE(SameValue(q.p, q.q, q.a, q.b));
  ExpectMixedForm(o, kind.Fields(q, o), q.p, q.q);
}

void Check(const CommonDenominatorKind&, const ExerciseOptions& o, int32_t m,
           const CommonDenominatorQuestion& q, Tally&) {
  for (const int32_t term : {q.a, q.b, q.c, q.d}) {
    EXPECT_TRUE(term >= 1 && term <= m);
  }
  ExpectRelated(o, q.b, q.d);
  const int32_t b1 = q.b / std::gcd(q.a, q.b);
  const int32_t d1 = q.d / std::gcd(q.c, q.d);
  EXPECT_EQ(q.q1, q.q2);
  EXPECT_EQ(q.q1, o.least_common_denominator ? std::lcm(b1, d1) : b1 * d1);
  EXPECT_TRUE(q.q1 >= 2 && q.q1 <= 999 && q.p1 <= 999 && q.p2 <= 999);
  EXPECT_TRUE(SameValue(q.p1, q.q1, q.a, q.b));
  EXPECT_TRUE(SameValue(q.p2, q.q2, q.c, q.d));
}

// Each option on its own, some together, and every level.
std::vector<ExerciseOptions> OptionSets() {
  using O = ExerciseOptions;
  std::vector<O> sets = {
      O{.denominators = DenominatorRule::kMultiple},
      O{.denominators = DenominatorRule::kSame, .negatives = true, .mixed = true},
      O{.negatives = true},
      O{.division_sign = DivisionSign::kObelus},
      O{.least_common_denominator = true},
  };
  for (const LevelPreset& preset : LevelPresets()) {
    sets.push_back(preset.options);
  }
  return sets;
}

class OptionProperties : public ::testing::TestWithParam<std::tuple<ExerciseType, int32_t>> {};

TEST_P(OptionProperties, EveryQuestionSatisfiesItsOptions) {
  const auto [type, m] = GetParam();
  const OptionUse use = OptionUseOf(type);
  for (const ExerciseOptions& asked : OptionSets()) {
    const ExerciseOptions options = OptionsUsed(asked, use);
    // At a level a sheet of simplifications up to 9 holds 15 at most: the
    // 12 fractions that reduce to a fraction, and one whole result in five.
    const bool few = asked.level != Level::kFree && type == ExerciseType::kSimplification && m == 9;
    const int32_t count = few ? 15 : kMaxQuestions;
    Tally tally;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed));
      LcgRandom random(seed * 104729u);
      QuestionTable table;
      DrawingContext context{random, table};
      const QuestionSet set = RunDrawingPhase(type, m, count, context, asked);
      ASSERT_EQ(QuestionCount(set), static_cast<size_t>(count));
      EXPECT_EQ(OptionsOf(set), options);
      std::visit(
          [&](const auto& drawn) {
            if constexpr (requires { Check(drawn.kind, options, m, drawn.questions[0], tally); }) {
              for (const auto& q : drawn.questions) {
                Check(drawn.kind, options, m, q, tally);
              }
            } else {
              ADD_FAILURE() << "no check for this kind";
            }
          },
          set);
      // Same seed, same options: the same questions.
      LcgRandom again(seed * 104729u);
      DrawingContext again_context{again, table};
      EXPECT_EQ(QuestionNumbers(RunDrawingPhase(type, m, count, again_context, asked)),
                QuestionNumbers(set));
    }
    if (options.negatives) {  // half and half
      EXPECT_NEAR(tally.negative, tally.numerators / 2, tally.numerators / 10);
    }
  }
}

std::string ParamName(const ::testing::TestParamInfo<OptionProperties::ParamType>& info) {
  return std::string(Describe(std::get<0>(info.param)).command_word) + "_M" +
         std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, OptionProperties,
                         ::testing::Combine(::testing::ValuesIn(testing::ButtonTypes()),
                                            ::testing::Values(9, 20, 500)),
                         ParamName);

// The other direction: what the options allow does come up. Over many
// seeds at largest term 12, the denominator pairs drawn are exactly those
// the rule admits (1/2 with 7/12 and 5/6 with 7/12 for "multiple" as much
// as 2/2 with 1/2), for every type reading the rule. Many draws: a
// subtraction without negative numbers takes 12/12 - 1/1 about once in ten
// thousand questions.
bool Admits(DenominatorRule rule, int32_t b, int32_t d) {
  switch (rule) {
    case DenominatorRule::kAny:
      return b != 1 || d != 1;
    case DenominatorRule::kMultiple:
      return b >= 2 && d >= 2 && (b % d == 0 || d % b == 0);
    case DenominatorRule::kSame:
      return b == d && b >= 2;
  }
  return false;
}

// "Any" is read by every type that reads one of the other rules: those
// with two denominators.
bool Reads(const OptionUse& use, DenominatorRule rule) {
  switch (rule) {
    case DenominatorRule::kAny:
      return use.multiple_denominators || use.same_denominators;
    case DenominatorRule::kMultiple:
      return use.multiple_denominators;
    case DenominatorRule::kSame:
      return use.same_denominators;
  }
  return false;
}

TEST(OptionReach, EveryDenominatorPairTheRuleAdmitsIsDrawn) {
  constexpr int32_t m = 12;
  for (const DenominatorRule rule :
       {DenominatorRule::kAny, DenominatorRule::kMultiple, DenominatorRule::kSame}) {
    std::set<std::pair<int32_t, int32_t>> admitted;
    for (int32_t b = 1; b <= m; ++b) {
      for (int32_t d = 1; d <= m; ++d) {
        if (Admits(rule, b, d)) {
          admitted.emplace(b, d);
        }
      }
    }
    for (const ExerciseType type : testing::ButtonTypes()) {
      if (!Reads(OptionUseOf(type), rule)) {
        continue;
      }
      SCOPED_TRACE(std::string(Describe(type).command_word) + " rule " +
                   std::string(DenominatorRuleWord(rule)));
      std::set<std::pair<int32_t, int32_t>> drawn_pairs;
      for (uint32_t seed = 1; seed <= 1500; ++seed) {
        LcgRandom random(seed * 7919u);
        QuestionTable table;
        DrawingContext context{random, table};
        std::visit(
            [&](const auto& drawn) {
              for (const auto& q : drawn.questions) {
                if constexpr (requires { q.d; }) {
                  drawn_pairs.emplace(q.b, q.d);
                }
              }
            },
            RunDrawingPhase(type, m, kMaxQuestions, context, {.denominators = rule}));
      }
      EXPECT_EQ(drawn_pairs, admitted);
    }
  }
}

// With negative numbers every operation that reads the option gives every
// sign of its operands, and negative results about as often as positive
// ones: subtraction as much as the others.
TEST(OptionReach, NegativeNumbersGiveNegativeResultsInEveryOperation) {
  for (const ExerciseType type : testing::ButtonTypes()) {
    if (!OptionUseOf(type).negatives) {
      continue;
    }
    for (const DenominatorRule rule :
         {DenominatorRule::kAny, DenominatorRule::kMultiple, DenominatorRule::kSame}) {
      SCOPED_TRACE(std::string(Describe(type).command_word) + " rule " +
                   std::string(DenominatorRuleWord(rule)));
      std::set<std::pair<bool, bool>> operand_signs;
      int results = 0;
      int negative_results = 0;
      for (uint32_t seed = 1; seed <= 50; ++seed) {
        LcgRandom random(seed * 104729u);
        QuestionTable table;
        DrawingContext context{random, table};
        const QuestionSet set = RunDrawingPhase(type, 20, kMaxQuestions, context,
                                                {.denominators = rule, .negatives = true});
        const auto* drawn = std::get_if<KindQuestions<OperationKind>>(&set);
        ASSERT_NE(drawn, nullptr) << "a kind with signed terms of its own: count its signs here";
        for (const OperationQuestion& q : drawn->questions) {
          operand_signs.emplace(q.a < 0, q.c < 0);
          ++results;
          negative_results += q.num < 0 ? 1 : 0;
        }
      }
      EXPECT_EQ(operand_signs.size(), 4u);
      EXPECT_NEAR(negative_results, results / 2, results / 10);
    }
  }
}

// A source that always draws the same number.
class ConstantRandom final : public RandomSource {
 public:
  explicit ConstantRandom(int32_t value) : value_(value) {}
  int32_t Random(int32_t n) override { return std::min(value_, n - 1); }

 private:
  int32_t value_;
};

// Settings that give no new question any more end the drawing with the
// number found, never an endless loop: 1/1 + 1/1 is never a question, and
// 2/2 + 2/2 is one question however often it comes.
TEST(TooFewQuestions, TheDrawingStopsAndSaysHowManyItFound) {
  for (const auto& [value, available] : {std::pair{0, 0}, std::pair{1, 1}}) {
    ConstantRandom random(value);
    QuestionTable table;
    DrawingContext context{random, table};
    try {
      RunDrawingPhase(ExerciseType::kAddition, 9, 3, context);
      ADD_FAILURE() << "drew three questions from one";
    } catch (const TooFewQuestions& error) {
      EXPECT_EQ(error.Available(), available);
      EXPECT_NE(std::string(error.what()).find("impossible d'en poser 3"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace fractions
