// The worked keys: over many seeds, every type and the options, every
// expression of every chain, read back from its ASCII by an exact
// evaluator, has the question's value; the chain ends with the key (then
// its mixed form) and shows the step of its kind; a few chains pin the
// written form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <iterator>
#include <numeric>
#include <optional>
#include <regex>
#include <stdexcept>
#include <string>

#include "button_types.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"
#include "exact_value.h"

namespace fractions {
namespace {

using Int128 = testing::Int128;
using Q = testing::Exact;

Q Power(Q base, int32_t n) {
  Q power{1, 1};
  while (n-- > 0)
    power = power * base;
  return power;
}

Q ValueOf(const StepExpression& e) {
  return testing::ExactEvaluator::Evaluate(AsciiExpression(e));
}

// The value each chain keeps and the key it ends with.
struct Expected {
  std::vector<Q> values;
  std::vector<std::pair<int32_t, int32_t>> keys;
};

Expected ExpectedOf(const OperationKind& kind, const OperationQuestion& q) {
  const Q x = Q::Of(q.a, q.b), y = Q::Of(q.c, q.d);
  const Q values[] = {x + y, x - y, x * y, x / y};
  return {{values[static_cast<int>(kind.operation)]}, {{q.num, q.den}}};
}
Expected ExpectedOf(const PowerKind&, const PowerQuestion& q) {
  const Q a{q.a, 1}, b{q.b, 1};
  const Q values[] = {Power(a / b, q.exponent), Power(a, q.exponent) / b, a / Power(b, q.exponent)};
  return {{values[static_cast<int>(q.form) - 1]}, {{q.p, q.q}}};
}
Expected ExpectedOf(const SimplificationKind&, const SimplificationQuestion& q) {
  return {{Q::Of(q.a, q.b)}, {{q.p, q.q}}};
}
Expected ExpectedOf(const CommonDenominatorKind&, const CommonDenominatorQuestion& q) {
  return {{Q::Of(q.a, q.b), Q::Of(q.c, q.d)}, {{q.p1, q.q1}, {q.p2, q.q2}}};
}

// Some expression of one operand whose numerator and denominator satisfy
// `holds`.
template <typename Predicate>
bool AnyFraction(const StepChain& chain, Predicate holds) {
  return std::any_of(chain.begin(), chain.end(), [&](const StepExpression& e) {
    return e.operands.size() == 1 && !e.operands[0].den.empty() &&
           holds(e.operands[0].num, e.operands[0].den[0].factors);
  });
}

// A result that reduces shows its greatest common divisor: (p×g)/(q×g).
bool ShowsCommonFactor(const StepChain& chain, int64_t num, int64_t den) {
  const int64_t g = std::gcd(num, den);
  return num == 0 || g == 1 || AnyFraction(chain, [&](const StepNumber& n, const auto& d) {
           return n[0].factors.back().value == g && d.back().value == g;
         });
}

// The numbers over and under the bar, signs left out:
// "-((2*7*5*5)/(3*5*3*7))", "(4*2)", "5 * ((7)/(5))".
struct FactorLine {
  std::vector<int64_t> num, den;
};
FactorLine NumbersOf(const std::string& ascii) {
  FactorLine line;
  std::vector<int64_t>* side = &line.num;
  for (size_t at = 0; at < ascii.size(); ++at) {
    if (ascii[at] == '/')
      side = &line.den;
    else if (std::isdigit(static_cast<unsigned char>(ascii[at])) &&
             (at == 0 || !std::isdigit(static_cast<unsigned char>(ascii[at - 1]))))
      side->push_back(std::stoll(ascii.substr(at)));
  }
  return line;
}

int64_t ProductOf(const std::vector<int64_t>& factors) {
  return std::accumulate(factors.begin(), factors.end(), int64_t{1}, std::multiplies<>());
}

// A product or a quotient, simplified before it is multiplied. A factor
// line ("*" between numbers, not the operator " * ") multiplies out to the
// plain product of the terms, the divisor inverted; one is written beyond
// the sign line only when something cancels, and then the last one, its
// factors struck out where they stand on both sides, leaves the key.
// Every other step writes no number beyond the terms and the key's.
void ExpectProductSteps(const OperationKind& kind, const OperationQuestion& q,
                        const StepChain& chain) {
  const int64_t a = std::abs(q.a), c = std::abs(q.c);
  const bool divide = kind.operation == Operation::kDivide;
  const int64_t plain_num = a * (divide ? q.d : c), plain_den = q.b * (divide ? c : q.d);
  const int64_t bound =
      std::max({a, int64_t{q.b}, c, int64_t{q.d}, int64_t{std::abs(q.num)}, int64_t{q.den}});
  static const std::regex kFactors(R"([^ ]\*)");
  std::vector<FactorLine> lines;
  for (const StepExpression& expression : chain) {
    const std::string ascii = AsciiExpression(expression);
    const FactorLine numbers = NumbersOf(ascii);
    if (std::regex_search(ascii, kFactors)) {
      EXPECT_EQ(ProductOf(numbers.num), plain_num) << ascii;
      EXPECT_EQ(ProductOf(numbers.den), plain_den) << ascii;
      lines.push_back(numbers);
      continue;
    }
    for (const auto& side : {numbers.num, numbers.den})
      for (const int64_t n : side)
        EXPECT_LE(n, bound) << ascii;
  }
  if (std::gcd(plain_num, plain_den) == 1) {
    EXPECT_LE(lines.size(), 1u) << "a factor line with nothing to cancel";
    return;
  }
  EXPECT_LE(lines.size(), 2u);
  if (lines.empty()) {  // "5 × 7/5 = 7": the product by a whole number shows the factors
    const StepExpression& product = chain.at(divide ? 1 : 0);
    ASSERT_EQ(product.operators, std::vector<StepOperator>{StepOperator::kTimes});
    lines.push_back(NumbersOf(AsciiExpression(product)));
  }
  FactorLine line = lines.back(), rest;
  std::sort(line.num.begin(), line.num.end());
  std::sort(line.den.begin(), line.den.end());
  std::set_difference(line.num.begin(), line.num.end(), line.den.begin(), line.den.end(),
                      std::back_inserter(rest.num));
  std::set_difference(line.den.begin(), line.den.end(), line.num.begin(), line.num.end(),
                      std::back_inserter(rest.den));
  EXPECT_EQ(ProductOf(rest.num), std::abs(q.num)) << AsciiExpression(chain.back());
  EXPECT_EQ(ProductOf(rest.den), q.den) << AsciiExpression(chain.back());
}

// The step each kind is there to teach.
void ExpectItsStep(const OperationKind& kind, const OperationQuestion& q, const StepChain& chain) {
  const int64_t a = q.a, b = q.b, c = q.c, d = q.d;
  switch (kind.operation) {
    case Operation::kAdd:
    case Operation::kSubtract: {  // (A ± C)/L over the least common multiple
      const int64_t l = std::lcm(b, d);
      EXPECT_TRUE(AnyFraction(chain, [&](const StepNumber& n, const auto& den) {
        return n.size() == 2 && den.size() == 1 && den[0].value == l;
      }));
      const int64_t sign = kind.operation == Operation::kAdd ? 1 : -1;
      EXPECT_TRUE(ShowsCommonFactor(chain, a * (l / b) + sign * c * (l / d), l));
      break;
    }
    case Operation::kDivide:  // the product by the inverse
      ASSERT_GE(chain.size(), 2u);
      EXPECT_EQ(chain[1].operators, std::vector<StepOperator>{StepOperator::kTimes});
      EXPECT_EQ(ValueOf(Single(chain[1].operands.at(1))), Q::Of(d, c));
      [[fallthrough]];
    case Operation::kMultiply:
      ExpectProductSteps(kind, q, chain);
      break;
  }
}
void ExpectItsStep(const PowerKind&, const PowerQuestion&, const StepChain&) {}
void ExpectItsStep(const SimplificationKind&, const SimplificationQuestion& q,
                   const StepChain& chain) {
  EXPECT_TRUE(ShowsCommonFactor(chain, q.a, q.b));
  EXPECT_EQ(chain.at(1).irreducible, std::gcd(q.a, q.b) == 1);
}
void ExpectItsStep(const CommonDenominatorKind&, const CommonDenominatorQuestion&,
                   const StepChain&) {}

// A step as the page shows it, for telling a repeat: its ASCII without
// the factors 1 of its products (not an operand 1 after " * "), blanks and
// parentheses, and its "(irréductible)" note.
std::string Plain(const StepExpression& expression) {
  static const std::regex kOneBefore(R"((^|[^0-9 ])1\*([^ ]))");
  static const std::regex kOneAfter(R"(([^ ])\*1(?![0-9]))");
  std::string text = std::regex_replace(AsciiExpression(expression), kOneBefore, "$1$2");
  text = std::regex_replace(text, kOneAfter, "$1");
  std::erase_if(text, [](char ch) { return ch == ' ' || ch == '(' || ch == ')'; });
  return text + (expression.irreducible ? " (irreductible)" : "");
}

template <typename Kind>
void CheckSteps(const Kind& kind, const typename Kind::Question& q, const ExerciseOptions& o) {
  const WorkedSteps steps = kind.Steps(q, o);
  const Expected expected = ExpectedOf(kind, q);
  ASSERT_EQ(steps.size(), expected.values.size());
  for (size_t c = 0; c < steps.size(); ++c) {
    const StepChain& chain = steps[c];
    ASSERT_FALSE(chain.empty());
    SCOPED_TRACE(AsciiExpression(chain.front()));
    for (size_t e = 1; e < chain.size(); ++e) {
      EXPECT_NE(Plain(chain[e]), Plain(chain[e - 1])) << "a step that repeats the one before";
    }
    for (const StepExpression& expression : chain) {
      EXPECT_TRUE(ValueOf(expression) == expected.values[c]) << AsciiExpression(expression);
    }
    const auto [num, den] = expected.keys[c];
    const std::optional<MixedNumber> mixed = MixedForm(o, num, den);
    const StepExpression& key = chain.at(chain.size() - (mixed ? 2 : 1));
    EXPECT_EQ(key.operands, Single(FractionStep(num, den)).operands) << AsciiExpression(key);
    if (mixed) {
      EXPECT_EQ(AsciiExpression(chain.back()), std::to_string(mixed->whole) + " + ((" +
                                                   std::to_string(mixed->num) + ")/(" +
                                                   std::to_string(den) + "))");
    }
    ExpectItsStep(kind, q, chain);
  }
}

void CheckDrawnSteps(ExerciseType type, int32_t m, const ExerciseOptions& asked, uint32_t seeds,
                     int count = kMaxQuestions) {
  for (uint32_t seed = 1; seed <= seeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    LcgRandom random(seed * 7919u);
    QuestionTable table;
    DrawingContext context{random, table};
    const QuestionSet set = RunDrawingPhase(type, m, count, context, asked);
    std::visit(
        [&](const auto& drawn) {
          if constexpr (requires { ExpectedOf(drawn.kind, drawn.questions[0]); }) {
            for (const auto& q : drawn.questions) {
              CheckSteps(drawn.kind, q, drawn.options);
            }
          } else {
            ADD_FAILURE() << "no check for this kind";
          }
        },
        set);
  }
}

class WorkedChains : public ::testing::TestWithParam<std::tuple<ExerciseType, int32_t>> {};

TEST_P(WorkedChains, EveryExpressionKeepsTheValueAndTheChainEndsWithTheKey) {
  const auto [type, m] = GetParam();
  using O = ExerciseOptions;
  for (const O& asked :
       {O{.worked = true},
        O{.denominators = DenominatorRule::kMultiple, .negatives = true, .worked = true},
        O{.denominators = DenominatorRule::kSame, .mixed = true, .worked = true},
        O{.negatives = true, .mixed = true, .division_sign = DivisionSign::kObelus, .worked = true},
        O{.least_common_denominator = true, .worked = true}}) {
    CheckDrawnSteps(type, m, asked, 12);
  }
}

// Each level's programme, its largest term and its options, with and
// without negative numbers and mixed forms.
TEST(WorkedChainsOfLevels, EveryExpressionKeepsTheValueAndTheChainEndsWithTheKey) {
  for (const ExerciseType type : testing::ButtonTypes()) {
    for (const LevelPreset& preset : LevelPresets()) {
      for (const bool flipped : {false, true}) {
        SCOPED_TRACE(std::string(Describe(type).command_word) + " " +
                     std::string(preset.command_word) + (flipped ? " flipped" : ""));
        ExerciseOptions asked = preset.options;
        asked.worked = true;
        asked.negatives ^= flipped;
        asked.mixed ^= flipped;
        // 30: CM2's rules give 37 different simplifications at most.
        CheckDrawnSteps(type, preset.largest_term, asked, 12, 30);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, WorkedChains,
                         ::testing::Combine(::testing::ValuesIn(testing::ButtonTypes()),
                                            ::testing::Values(9, 30, 500)),
                         [](const auto& info) {
                           return std::string(Describe(std::get<0>(info.param)).command_word) +
                                  "_M" + std::to_string(std::get<1>(info.param));
                         });

using Chain = std::vector<std::string>;

TEST(WorkedStepsText, ChainsAreWrittenAsTheBoardHasThem) {
  const ExerciseOptions o{.worked = true};
  const auto chain = [](const WorkedSteps& steps, size_t c = 0) { return AsciiSteps(steps).at(c); };
  const OperationKind add{Operation::kAdd};
  EXPECT_EQ(chain(add.Steps({2, 3, 1, 4, 11, 12}, o)),
            (Chain{"((2)/(3)) + ((1)/(4))", "((2*4)/(3*4)) + ((1*3)/(4*3))",
                   "((8)/(12)) + ((3)/(12))", "((8+3)/(12))", "((11)/(12))"}));
  EXPECT_EQ(chain(add.Steps({-2, 3, 1, 4, -5, 12}, o)),
            (Chain{"-((2)/(3)) + ((1)/(4))", "-((2*4)/(3*4)) + ((1*3)/(4*3))",
                   "-((8)/(12)) + ((3)/(12))", "((-8+3)/(12))", "-((5)/(12))"}));
  // A whole number as (n×L)/L, a fraction over L already as it is, the
  // mixed form last.
  EXPECT_EQ(chain(add.Steps({3, 1, 1, 6, 19, 6}, {.mixed = true, .worked = true})),
            (Chain{"3 + ((1)/(6))", "((3*6)/(6)) + ((1)/(6))", "((18)/(6)) + ((1)/(6))",
                   "((18+1)/(6))", "((19)/(6))", "3 + ((1)/(6))"}));
  EXPECT_EQ(chain(OperationKind{Operation::kSubtract}.Steps({5, 4, -2, 3, 23, 12}, o)).at(3),
            "((15-(-8))/(12))");
  // A product's sign first, then its terms as factors when some cancel,
  // never the full product.
  const OperationKind multiply{Operation::kMultiply};
  const OperationKind divide{Operation::kDivide};
  EXPECT_EQ(chain(multiply.Steps({-14, 15, 25, 21, -10, 9}, o)),
            (Chain{"-((14)/(15)) * ((25)/(21))", "-((14*25)/(15*21))", "-((2*7*5*5)/(3*5*3*7))",
                   "-((10)/(9))"}));
  EXPECT_EQ(
      chain(multiply.Steps({-3, 4, -2, 9, 1, 6}, o)),
      (Chain{"-((3)/(4)) * (-((2)/(9)))", "((3*2)/(4*9))", "((3*2)/(2*2*3*3))", "((1)/(6))"}));
  // Large terms split by their common divisors: 256 would be eight 2s.
  EXPECT_EQ(chain(multiply.Steps({256, 27, 9, 384, 2, 9}, o)),
            (Chain{"((256)/(27)) * ((9)/(384))", "((256*9)/(27*384))", "((2*128*3*3)/(9*3*3*128))",
                   "((2)/(9))"}));
  EXPECT_EQ(chain(divide.Steps({-6, 7, -2, 15, 45, 7}, o)),
            (Chain{"-((6)/(7)) / (-((2)/(15)))", "-((6)/(7)) * (-((15)/(2)))", "((6*15)/(7*2))",
                   "((2*3*3*5)/(7*2))", "((45)/(7))"}));
  EXPECT_EQ(chain(divide.Steps({1, 2, -3, 4, -2, 3}, o)),
            (Chain{"((1)/(2)) / (-((3)/(4)))", "((1)/(2)) * (-((4)/(3)))", "-((1*4)/(2*3))",
                   "-((1*2*2)/(2*3))", "-((2)/(3))"}));
  // No step that writes the one before again.
  EXPECT_EQ(chain(divide.Steps({2, 1, 1, 2, 4, 1}, o)), (Chain{"2 / ((1)/(2))", "2 * 2", "4"}));
  EXPECT_EQ(chain(SimplificationKind{}.Steps({11, 11, 1, 1}, o)), (Chain{"((11)/(11))", "1"}));
  // A power whose fraction reduces is simplified first: 2^9, never 400^9.
  EXPECT_EQ(chain(PowerKind{}.Steps({400, 200, 512, 1, PowerForm::kWholeFraction, 9}, o)),
            (Chain{"((400)/(200))^9", "((2*200)/(200))^9", "2^9", "512"}));
  EXPECT_EQ(chain(SimplificationKind{}.Steps({7, 9, 7, 9}, o)), (Chain{"((7)/(9))", "((7)/(9))"}));
  const WorkedSteps rows = CommonDenominatorKind{}.Steps({4, 6, 5, 9, 6, 9, 5, 9}, o);
  EXPECT_EQ(chain(rows, 0), (Chain{"((4)/(6))", "((2)/(3))", "((2*3)/(3*3))", "((6)/(9))"}));
  EXPECT_EQ(chain(rows, 1), (Chain{"((5)/(9))"}));
}

}  // namespace
}  // namespace fractions
