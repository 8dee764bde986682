// The worked keys: over many seeds, every type and the options, every
// expression of every chain, read back from its ASCII by an exact
// evaluator, has the question's value; the chain starts with the question,
// ends with the key (then its mixed form) and shows the step of its kind;
// a few chains pin the written form.
#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>
#include <string>

#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"

namespace fractions {
namespace {

__extension__ using Int128 = __int128;

// An exact rational, denominator positive, in lowest terms.
struct Rational {
  Int128 num = 0;
  Int128 den = 1;

  static Int128 Gcd(Int128 x, Int128 y) {
    x = x < 0 ? -x : x;
    while (y != 0) {
      const Int128 r = x % y;
      x = y;
      y = r;
    }
    return x;
  }
  static Rational Of(Int128 n, Int128 d) {
    if (d == 0) {
      throw std::domain_error("division by zero");
    }
    if (d < 0) {
      n = -n;
      d = -d;
    }
    const Int128 g = Gcd(n, d);
    return g == 0 ? Rational{0, 1} : Rational{n / g, d / g};
  }
  friend Rational operator+(Rational x, Rational y) {
    return Of(x.num * y.den + y.num * x.den, x.den * y.den);
  }
  friend Rational operator-(Rational x, Rational y) { return x + Rational{-y.num, y.den}; }
  friend Rational operator*(Rational x, Rational y) { return Of(x.num * y.num, x.den * y.den); }
  friend Rational operator/(Rational x, Rational y) { return Of(x.num * y.den, x.den * y.num); }
  friend bool operator==(const Rational&, const Rational&) = default;
};

std::string Text(const Rational& r) {
  return std::to_string(static_cast<int64_t>(r.num)) + "/" +
         std::to_string(static_cast<int64_t>(r.den));
}

// Integers, + - * / ^ and parentheses, with the usual precedence; unary
// minus below ^, a whole exponent.
class Evaluator {
 public:
  static Rational Evaluate(const std::string& text) {
    Evaluator e(text);
    const Rational value = e.Sum();
    e.Skip();
    if (e.at_ != text.size()) {
      throw std::invalid_argument("trailing text in " + text);
    }
    return value;
  }

 private:
  explicit Evaluator(const std::string& text) : text_(text) {}

  void Skip() {
    while (at_ < text_.size() && text_[at_] == ' ') {
      ++at_;
    }
  }
  bool Take(char c) {
    Skip();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  Rational Sum() {
    Rational value = Product();
    for (;;) {
      if (Take('+')) {
        value = value + Product();
      } else if (Take('-')) {
        value = value - Product();
      } else {
        return value;
      }
    }
  }
  Rational Product() {
    Rational value = Unary();
    for (;;) {
      if (Take('*')) {
        value = value * Unary();
      } else if (Take('/')) {
        value = value / Unary();
      } else {
        return value;
      }
    }
  }
  Rational Unary() {
    if (Take('-')) {
      const Rational value = Unary();
      return {-value.num, value.den};
    }
    const Rational base = Primary();
    if (!Take('^')) {
      return base;
    }
    const Rational exponent = Primary();
    if (exponent.den != 1 || exponent.num < 0) {
      throw std::invalid_argument("exponent not whole in " + text_);
    }
    Rational power{1, 1};
    for (Int128 i = 0; i < exponent.num; ++i) {
      power = power * base;
    }
    return power;
  }
  Rational Primary() {
    if (Take('(')) {
      const Rational value = Sum();
      if (!Take(')')) {
        throw std::invalid_argument("unclosed parenthesis in " + text_);
      }
      return value;
    }
    Skip();
    const size_t start = at_;
    Int128 n = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      n = n * 10 + (text_[at_++] - '0');
    }
    if (at_ == start) {
      throw std::invalid_argument("no number at " + std::to_string(start) + " in " + text_);
    }
    return {n, 1};
  }

  const std::string& text_;
  size_t at_ = 0;
};

Rational ValueOf(const StepExpression& expression) {
  return Evaluator::Evaluate(AsciiExpression(expression));
}

Rational ValueOf(const StepOperand& operand) {
  return ValueOf(Single(operand));
}

Rational Power(Rational base, int32_t n) {
  Rational power{1, 1};
  for (int32_t i = 0; i < n; ++i) {
    power = power * base;
  }
  return power;
}

// The value each chain of a question must keep, and its key.
struct Expected {
  std::vector<Rational> values;
  std::vector<std::pair<int32_t, int32_t>> keys;
};

Expected ExpectedOf(const OperationKind& kind, const OperationQuestion& q) {
  const Rational x = Rational::Of(q.a, q.b);
  const Rational y = Rational::Of(q.c, q.d);
  const Rational values[] = {x + y, x - y, x * y, x / y};
  return {{values[static_cast<int>(kind.operation)]}, {{q.num, q.den}}};
}

Expected ExpectedOf(const PowerKind&, const PowerQuestion& q) {
  const Rational a{q.a, 1};
  const Rational b{q.b, 1};
  const Rational values[] = {Power(a / b, q.exponent), Power(a, q.exponent) / b,
                             a / Power(b, q.exponent)};
  return {{values[static_cast<int>(q.form) - 1]}, {{q.p, q.q}}};
}

Expected ExpectedOf(const SimplificationKind&, const SimplificationQuestion& q) {
  return {{Rational::Of(q.a, q.b)}, {{q.p, q.q}}};
}

Expected ExpectedOf(const CommonDenominatorKind&, const CommonDenominatorQuestion& q) {
  return {{Rational::Of(q.a, q.b), Rational::Of(q.c, q.d)}, {{q.p1, q.q1}, {q.p2, q.q2}}};
}

// The product of a numerator's or a denominator's factors, for one term.
int64_t ProductOf(const StepNumber& number) {
  int64_t product = 1;
  for (const StepTerm& term : number) {
    for (const StepFactor& factor : term.factors) {
      product *= factor.value;
    }
  }
  return product;
}

template <typename Predicate>
bool AnySingle(const StepChain& chain, Predicate predicate) {
  return std::any_of(chain.begin(), chain.end(), [&](const StepExpression& e) {
    return e.operands.size() == 1 && predicate(e.operands[0]);
  });
}

// The simplification step of a result that reduces: (p×g)/(q×g), g their
// greatest common divisor, as a fraction's last factors.
bool ShowsCommonFactor(const StepChain& chain, int64_t num, int64_t den) {
  const int64_t g = std::gcd(num, den);
  if (num == 0 || g == 1) {
    return true;
  }
  return AnySingle(chain, [&](const StepOperand& o) {
    return !o.den.empty() && o.num[0].factors.back().value == g &&
           o.den[0].factors.back().value == g;
  });
}

// The step each kind is there to teach.
void ExpectItsStep(const OperationKind& kind, const OperationQuestion& q, const StepChain& chain) {
  switch (kind.operation) {
    case Operation::kAdd:
    case Operation::kSubtract: {
      // (A ± C)/L over the least common multiple, then simplified.
      const int64_t l = std::lcm(q.b, q.d);
      EXPECT_TRUE(AnySingle(
          chain, [&](const StepOperand& o) { return o.num.size() == 2 && ProductOf(o.den) == l; }));
      const int64_t sum = int64_t{q.a} * (l / q.b) +
                          (kind.operation == Operation::kAdd ? 1 : -1) * int64_t{q.c} * (l / q.d);
      EXPECT_TRUE(ShowsCommonFactor(chain, sum, l));
      break;
    }
    case Operation::kMultiply:
      EXPECT_TRUE(AnySingle(chain, [&](const StepOperand& o) {
        return o.num.size() == 1 && o.num[0].factors.size() == 2 &&
               o.num[0].factors[0].value == q.a && o.num[0].factors[1].value == q.c;
      }));
      EXPECT_TRUE(ShowsCommonFactor(chain, int64_t{q.a} * q.c, int64_t{q.b} * q.d));
      break;
    case Operation::kDivide:
      // The product by the inverse.
      ASSERT_GE(chain.size(), 2u);
      EXPECT_EQ(chain[1].operators, std::vector<StepOperator>{StepOperator::kTimes});
      EXPECT_EQ(ValueOf(chain[1].operands.at(1)), Rational::Of(q.d, q.c));
      EXPECT_TRUE(
          ShowsCommonFactor(chain, int64_t{q.a} * q.d * (q.c < 0 ? -1 : 1), int64_t{q.b} * q.c));
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

template <typename Kind>
void CheckSteps(const Kind& kind, const typename Kind::Question& q, const ExerciseOptions& o) {
  const WorkedSteps steps = kind.Steps(q, o);
  const Expected expected = ExpectedOf(kind, q);
  ASSERT_EQ(steps.size(), expected.values.size());
  for (size_t c = 0; c < steps.size(); ++c) {
    const StepChain& chain = steps[c];
    ASSERT_GE(chain.size(), 2u);
    SCOPED_TRACE(AsciiExpression(chain.front()));
    for (const StepExpression& expression : chain) {
      EXPECT_EQ(ValueOf(expression), expected.values[c])
          << AsciiExpression(expression) << " is not " << Text(expected.values[c]);
    }
    const auto [num, den] = expected.keys[c];
    const std::optional<MixedNumber> mixed = MixedForm(o, num, den);
    const StepExpression& key = chain.at(chain.size() - (mixed ? 2 : 1));
    EXPECT_EQ(key.operands, Single(FractionStep(num, den)).operands) << AsciiExpression(key);
    if (mixed) {
      EXPECT_EQ(AsciiExpression(chain.back()), std::to_string(mixed->whole) + " + ((" +
                                                   std::to_string(mixed->num) + ")/(" +
                                                   std::to_string(mixed->den) + "))");
    }
    ExpectItsStep(kind, q, chain);
  }
}

std::vector<ExerciseOptions> WorkedOptionSets() {
  using O = ExerciseOptions;
  std::vector<O> sets = {
      O{.worked = true},
      O{.denominators = DenominatorRule::kMultiple, .negatives = true, .worked = true},
      O{.denominators = DenominatorRule::kSame, .mixed = true, .worked = true},
      O{.negatives = true, .mixed = true, .division_sign = DivisionSign::kObelus, .worked = true},
      O{.least_common_denominator = true, .worked = true},
  };
  return sets;
}

class WorkedChains : public ::testing::TestWithParam<std::tuple<ExerciseType, int32_t>> {};

TEST_P(WorkedChains, EveryExpressionKeepsTheValueAndTheChainEndsWithTheKey) {
  const auto [type, m] = GetParam();
  for (const ExerciseOptions& asked : WorkedOptionSets()) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed));
      LcgRandom random(seed * 7919u);
      QuestionTable table;
      DrawingContext context{random, table};
      const QuestionSet set = RunDrawingPhase(type, m, kMaxQuestions, context, asked);
      std::visit(
          [&](const auto& drawn) {
            for (const auto& q : drawn.questions) {
              CheckSteps(drawn.kind, q, drawn.options);
            }
          },
          set);
      // The worked key draws nothing: the same seed gives the same questions.
      ExerciseOptions plain = asked;
      plain.worked = false;
      LcgRandom again(seed * 7919u);
      DrawingContext again_context{again, table};
      EXPECT_EQ(QuestionNumbers(RunDrawingPhase(type, m, kMaxQuestions, again_context, plain)),
                QuestionNumbers(set));
    }
  }
}

std::string ParamName(const ::testing::TestParamInfo<WorkedChains::ParamType>& info) {
  return std::string(Describe(std::get<0>(info.param)).command_word) + "_M" +
         std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, WorkedChains,
                         ::testing::Combine(::testing::ValuesIn(kAllExerciseTypes),
                                            ::testing::Values(9, 30, 500)),
                         ParamName);

std::vector<std::string> Chain(const WorkedSteps& steps, size_t c = 0) {
  return AsciiSteps(steps).at(c);
}

TEST(WorkedStepsText, ChainsAreWrittenAsTheBoardHasThem) {
  const ExerciseOptions o{.worked = true};
  const ExerciseOptions mixed{.mixed = true, .worked = true};
  const OperationKind add{Operation::kAdd};
  EXPECT_EQ(Chain(add.Steps({2, 3, 1, 4, 11, 12}, o)),
            (std::vector<std::string>{"((2)/(3)) + ((1)/(4))", "((2*4)/(3*4)) + ((1*3)/(4*3))",
                                      "((8)/(12)) + ((3)/(12))", "((8+3)/(12))", "((11)/(12))"}));
  EXPECT_EQ(Chain(add.Steps({-2, 3, 1, 4, -5, 12}, o)),
            (std::vector<std::string>{"-((2)/(3)) + ((1)/(4))", "-((2*4)/(3*4)) + ((1*3)/(4*3))",
                                      "-((8)/(12)) + ((3)/(12))", "((-8+3)/(12))", "-((5)/(12))"}));
  // Over the least common multiple, a whole number as (n×L)/L, a fraction
  // over it already as it is; the simplification and the mixed form last.
  EXPECT_EQ(Chain(add.Steps({3, 1, 1, 6, 19, 6}, mixed)),
            (std::vector<std::string>{"3 + ((1)/(6))", "((3*6)/(6)) + ((1)/(6))",
                                      "((18)/(6)) + ((1)/(6))", "((18+1)/(6))", "((19)/(6))",
                                      "3 + ((1)/(6))"}));
  EXPECT_EQ(
      Chain(OperationKind{Operation::kSubtract}.Steps({5, 4, -2, 3, 23, 12}, o)),
      (std::vector<std::string>{"((5)/(4)) - (-((2)/(3)))", "((5*3)/(4*3)) - (-((2*4)/(3*4)))",
                                "((15)/(12)) - (-((8)/(12)))", "((15-(-8))/(12))", "((23)/(12))"}));
  EXPECT_EQ(Chain(OperationKind{Operation::kMultiply}.Steps({-3, 4, -2, 9, 1, 6}, o)),
            (std::vector<std::string>{"-((3)/(4)) * (-((2)/(9)))", "((-3*(-2))/(4*9))",
                                      "((6)/(36))", "((1*6)/(6*6))", "((1)/(6))"}));
  // The inverse of a whole number, and a division by a negative fraction.
  const OperationKind divide{Operation::kDivide};
  EXPECT_EQ(Chain(divide.Steps({3, 1, 1, 4, 12, 1}, o)),
            (std::vector<std::string>{"3 / ((1)/(4))", "3 * 4", "(3*4)", "12"}));
  EXPECT_EQ(
      Chain(divide.Steps({1, 2, -3, 4, -2, 3}, o)),
      (std::vector<std::string>{"((1)/(2)) / (-((3)/(4)))", "((1)/(2)) * (-((4)/(3)))",
                                "((1*(-4))/(2*3))", "-((4)/(6))", "-((2*2)/(3*2))", "-((2)/(3))"}));
  // 1 - 1: a zero result is written 0, without a common factor.
  EXPECT_EQ(Chain(OperationKind{Operation::kSubtract}.Steps({1, 2, 1, 2, 0, 1}, o)).back(), "0");

  // A power whose fraction reduces is simplified first: 2^9, never 400^9.
  const PowerKind power;
  EXPECT_EQ(Chain(power.Steps({400, 200, 512, 1, PowerForm::kWholeFraction, 9}, o)),
            (std::vector<std::string>{"((400)/(200))^9", "((2*200)/(200))^9", "2^9", "512"}));
  EXPECT_EQ(Chain(power.Steps({2, 3, 4, 9, PowerForm::kWholeFraction, 2}, o)),
            (std::vector<std::string>{"((2)/(3))^2", "((2^2)/(3^2))", "((4)/(9))"}));
  EXPECT_EQ(Chain(power.Steps({6, 8, 9, 2, PowerForm::kNumeratorOnly, 2}, o)),
            (std::vector<std::string>{"((6^2)/(8))", "((36)/(8))", "((9*4)/(2*4))", "((9)/(2))"}));

  const SimplificationKind simplification;
  EXPECT_EQ(Chain(simplification.Steps({7, 9, 7, 9}, o)),
            (std::vector<std::string>{"((7)/(9))", "((7)/(9))"}));
  EXPECT_EQ(Chain(simplification.Steps({12, 6, 2, 1}, o)),
            (std::vector<std::string>{"((12)/(6))", "((2*6)/(6))", "2"}));

  // Two chains: the reduction first when a fraction reduces, none when it
  // is over the common denominator already.
  const WorkedSteps rows = CommonDenominatorKind{}.Steps({4, 6, 5, 9, 6, 9, 5, 9}, o);
  EXPECT_EQ(Chain(rows, 0),
            (std::vector<std::string>{"((4)/(6))", "((2)/(3))", "((2*3)/(3*3))", "((6)/(9))"}));
  EXPECT_EQ(Chain(rows, 1), (std::vector<std::string>{"((5)/(9))", "((5)/(9))"}));
}

}  // namespace
}  // namespace fractions
