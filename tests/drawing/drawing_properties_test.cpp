// Properties every worksheet must have, checked over many seeds, every
// exercise type and the smallest, default and largest term sizes. Each
// kind's properties are its own Check, found by the kind's type: a new
// kind does not compile here until it has them.
#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <string>

#include "button_types.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"
#include "drawing/trial_division_gcd3.h"

namespace fractions {
namespace {

__extension__ using Int128 = __int128;

constexpr int kSeeds = 25;

Int128 Power(Int128 base, int32_t e) {
  Int128 result = 1;
  for (int32_t i = 0; i < e; ++i) {
    result *= base;
  }
  return result;
}

// Irreducible with a positive denominator, both parts 0..999.
void ExpectIrreducibleAnswer(int32_t num, int32_t den) {
  EXPECT_GE(num, 0);
  EXPECT_GE(den, 1);
  EXPECT_LE(num, 999);
  EXPECT_LE(den, 999);
  EXPECT_EQ(std::gcd(num, den), 1) << num << "/" << den;
}

void ExpectTermInRange(int32_t term, int32_t low, int32_t high) {
  EXPECT_GE(term, low);
  EXPECT_LE(term, high);
}

// x/y == u/v, exactly.
void ExpectSameValue(Int128 x, Int128 y, Int128 u, Int128 v) {
  EXPECT_TRUE(x * v == u * y);
}

void Check(const OperationKind& kind, int32_t m, const OperationQuestion& q) {
  for (const int32_t term : {q.a, q.b, q.c, q.d}) {
    ExpectTermInRange(term, 1, m);
  }
  EXPECT_FALSE(q.b == 1 && q.d == 1);
  ExpectIrreducibleAnswer(q.num, q.den);
  const Int128 ad = Int128{q.a} * q.d;
  const Int128 bc = Int128{q.b} * q.c;
  const Int128 bd = Int128{q.b} * q.d;
  switch (kind.operation) {
    case Operation::kAdd:
      return ExpectSameValue(q.num, q.den, ad + bc, bd);
    case Operation::kSubtract:
      return ExpectSameValue(q.num, q.den, ad - bc, bd);
    case Operation::kMultiply:
      return ExpectSameValue(q.num, q.den, Int128{q.a} * q.c, bd);
    case Operation::kDivide:
      return ExpectSameValue(q.num, q.den, ad, bc);
  }
}

void Check(const PowerKind&, int32_t m, const PowerQuestion& q) {
  // Low-exponent redraws use terms up to 20 whatever the largest term.
  ExpectTermInRange(q.a, 0, std::max(m, 20));
  ExpectTermInRange(q.b, 2, std::max(m, 20));
  ExpectTermInRange(static_cast<int32_t>(q.form), 1, 3);
  ExpectTermInRange(q.exponent, 0, 9);
  ExpectIrreducibleAnswer(q.p, q.q);
  const int32_t n = q.exponent;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      return ExpectSameValue(q.p, q.q, Power(q.a, n), Power(q.b, n));
    case PowerForm::kNumeratorOnly:
      EXPECT_LT(q.a, 32);
      return ExpectSameValue(q.p, q.q, Power(q.a, n), q.b);
    case PowerForm::kDenominatorOnly:
      EXPECT_LT(q.b, 32);
      return ExpectSameValue(q.p, q.q, q.a, Power(q.b, n));
  }
}

void Check(const SimplificationKind&, int32_t m, const SimplificationQuestion& q) {
  ExpectTermInRange(q.a, 1, m);
  ExpectTermInRange(q.b, 2, m);
  ExpectIrreducibleAnswer(q.p, q.q);
  ExpectSameValue(q.p, q.q, q.a, q.b);
}

void Check(const CommonDenominatorKind&, int32_t m, const CommonDenominatorQuestion& q) {
  for (const int32_t term : {q.a, q.b, q.c, q.d}) {
    ExpectTermInRange(term, 1, m);
  }
  EXPECT_FALSE(q.b == 1 && q.d == 1);
  EXPECT_FALSE(q.a == q.c && q.b == q.d);
  EXPECT_EQ(q.q1, q.q2);
  EXPECT_EQ(q.q1, (q.b / std::gcd(q.a, q.b)) * (q.d / std::gcd(q.c, q.d)));
  ExpectTermInRange(q.q1, 2, 999);
  ExpectTermInRange(q.p1, 1, 999);
  ExpectTermInRange(q.p2, 1, 999);
  ExpectSameValue(q.p1, q.q1, q.a, q.b);
  ExpectSameValue(q.p2, q.q2, q.c, q.d);
}

class DrawingProperties : public ::testing::TestWithParam<std::tuple<ExerciseType, int32_t>> {};

TEST_P(DrawingProperties, FortyDistinctSoundQuestionsForEverySeed) {
  const auto [type, m] = GetParam();
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    LcgRandom random(seed * 7919u);
    QuestionTable table;
    DrawingContext context{random, table};
    const QuestionSet set = RunDrawingPhase(type, m, kMaxQuestions, context);
    ASSERT_EQ(QuestionCount(set), size_t{kMaxQuestions});
    std::set<std::string> keys;
    for (int p = 0; p < kMaxQuestions; ++p) {
      EXPECT_FALSE(table.Slot(p).empty());
      keys.insert(table.Slot(p));
    }
    EXPECT_EQ(keys.size(), size_t{kMaxQuestions});
    std::visit(
        [&](const auto& drawn) {
          if constexpr (requires { Check(drawn.kind, m, drawn.questions.front()); }) {
            for (const auto& q : drawn.questions) {
              Check(drawn.kind, m, q);
            }
          } else {
            ADD_FAILURE() << "no check for this kind";
          }
        },
        set);
  }
}

std::string ParamName(const ::testing::TestParamInfo<DrawingProperties::ParamType>& info) {
  return std::string(Describe(std::get<0>(info.param)).command_word) + "_M" +
         std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, DrawingProperties,
                         ::testing::Combine(::testing::ValuesIn(testing::ButtonTypes()),
                                            ::testing::Values(9, 100, 500)),
                         ParamName);

// The divisor helper is only a faster way to the same numbers: swapping in
// the defining search must not change a single question or draw.
TEST(DrawingPhase, SameSeedSameQuestionsWhicheverGcd3) {
  for (const ExerciseType type : testing::ButtonTypes()) {
    for (const int32_t m : {9, 100}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(type)) + " M " + std::to_string(m));
      QuestionTable table;
      LcgRandom fast_random(2024);
      DrawingContext fast{fast_random, table};
      const QuestionSet expected = RunDrawingPhase(type, m, kMaxQuestions, fast);
      LcgRandom reference_random(2024);
      DrawingContext reference{reference_random, table, &testing::TrialDivisionGcd3};
      EXPECT_TRUE(RunDrawingPhase(type, m, kMaxQuestions, reference) == expected);
      EXPECT_EQ(fast_random.Seed(), reference_random.Seed());
    }
  }
}

}  // namespace
}  // namespace fractions
