#include "four_operations.h"

#include <cstdlib>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "level_rules.h"
#include "step_parts.h"

namespace fractions {

namespace {

// With terms of at most 500 every product stays below 250,001 and every sum
// or difference within +-500,000: 32 bits suffice.
RawResult RawOperationResult(Operation operation, const OperationQuestion& q) {
  switch (operation) {
    case Operation::kAdd:
      return {q.a * q.d + q.b * q.c, q.b * q.d};
    case Operation::kSubtract:
      return {q.a * q.d - q.b * q.c, q.b * q.d};
    case Operation::kMultiply:
      return {q.a * q.c, q.b * q.d};
    case Operation::kDivide:
      return {q.a * q.d, q.b * q.c};
  }
  throw std::invalid_argument("not one of the four operations");
}

// At a level, at most one question in ten has a whole number as an operand.
constexpr int32_t kWholeOperandsOneIn = 10;

// At a level a question is only set when its answer is work: no operand is
// n/n (8/19 × (−17/17)), and no value meets itself, or its opposite, where
// that gives 0 or ±1 at once (x − x, x + (−x), x : x, x : (−x)), however
// the two are written: 16/20 − 4/5 is 0 as surely as 4/5 − 4/5.
bool SuitsLevel(Operation operation, const OperationQuestion& q) {
  if (std::abs(q.a) == q.b || std::abs(q.c) == q.d) {
    return false;
  }
  // Cross products in 64 bits: a/b = c/d exactly when a × d = c × b.
  const int64_t left = int64_t{q.a} * q.d;
  const int64_t right = int64_t{q.c} * q.b;
  switch (operation) {
    case Operation::kAdd:
      return left != -right;
    case Operation::kSubtract:
      return left != right;
    case Operation::kMultiply:
      return true;
    case Operation::kDivide:
      return left != right && left != -right;
  }
  throw std::invalid_argument("not one of the four operations");
}

// The four terms in the order a, b, c, d (with related denominators, a,
// the pair b and d, c); then, with negative numbers, the sign of a and that
// of c. Without options these are the program's first four draws.
OperationQuestion DrawTerms(int32_t largest_term, const ExerciseOptions& options,
                            const std::optional<RelatedDenominators>& related,
                            RandomSource& random) {
  OperationQuestion q{};
  q.a = random.Random(largest_term) + 1;
  switch (options.denominators) {
    case DenominatorRule::kAny:
      q.b = random.Random(largest_term) + 1;
      q.c = random.Random(largest_term) + 1;
      q.d = random.Random(largest_term) + 1;
      break;
    case DenominatorRule::kSame:
      q.b = random.Random(largest_term - 1) + 2;
      q.c = random.Random(largest_term) + 1;
      q.d = q.b;
      break;
    case DenominatorRule::kMultiple:
      std::tie(q.b, q.d) = related.value().Draw(random);
      q.c = random.Random(largest_term) + 1;
      break;
  }
  if (options.negatives) {
    q.a = random.Random(2) == 1 ? -q.a : q.a;
    q.c = random.Random(2) == 1 ? -q.c : q.c;
  }
  return q;
}

StepOperator StepOperatorOf(Operation operation) {
  switch (operation) {
    case Operation::kAdd:
      return StepOperator::kPlus;
    case Operation::kSubtract:
      return StepOperator::kMinus;
    case Operation::kMultiply:
      return StepOperator::kTimes;
    case Operation::kDivide:
      return StepOperator::kDivide;
  }
  throw std::invalid_argument("not one of the four operations");
}

}  // namespace

RawResult AppendSumSteps(StepChain& chain, const OperationQuestion& q, bool subtract) {
  const StepOperator op = subtract ? StepOperator::kMinus : StepOperator::kPlus;
  const int32_t l = std::lcm(q.b, q.d);
  const int32_t big_a = q.a * (l / q.b);
  const int32_t big_c = q.c * (l / q.d);
  if (q.b != q.d) {
    chain.push_back(Binary(OverCommonDenominator(q.a, q.b, l / q.b), op,
                           OverCommonDenominator(q.c, q.d, l / q.d)));
    chain.push_back(Binary(FractionStep(big_a, l), op, FractionStep(big_c, l)));
  }
  StepOperand combined = FractionStep(0, l);
  combined.num = {StepTerm{{{big_a, {}}}}, StepTerm{{{big_c, {}}}, subtract}};
  chain.push_back(Single(combined));
  const int32_t sum = subtract ? big_a - big_c : big_a + big_c;
  chain.push_back(Single(FractionStep(sum, l)));
  return {sum, l};
}

namespace {

// A side of a product's bar: its terms, each written as a list of factors.
using ProductSide = std::vector<std::vector<int32_t>>;

// Prime factors keep a product's factor line as short as this on each side
// of the bar: 32 × 48, the longest any level draws (terms up to 50), holds
// 10. Beyond it the terms are split by their common divisors instead.
constexpr size_t kMostPrimeFactorsPerSide = 10;

// The prime factors of n in increasing order, "1" for n = 1.
std::vector<int32_t> PrimeFactors(int32_t n) {
  std::vector<int32_t> factors;
  for (int32_t p = 2; p * p <= n; ++p) {
    for (; n % p == 0; n /= p) {
      factors.push_back(p);
    }
  }
  if (n > 1 || factors.empty()) {
    factors.push_back(n);
  }
  return factors;
}

size_t FactorCount(const ProductSide& side) {
  size_t count = 0;
  for (const std::vector<int32_t>& term : side) {
    count += term.size();
  }
  return count;
}

// Each term split by what it shares with the terms across the bar: a
// numerator term and a denominator term give up their greatest common
// divisor, pair after pair (first term with first, second with second,
// then crosswise), so that once the divisors written on both sides are
// struck out the rest is irreducible. A term is written as what is left
// of it, then its divisors: 256/27 × 9/384 = (2×128×3×3)/(9×3×3×128).
std::pair<ProductSide, ProductSide> CommonDivisorSplit(const std::vector<int32_t>& num,
                                                       const std::vector<int32_t>& den) {
  struct Split {
    int32_t rest;
    std::vector<int32_t> divisors;
  };
  std::vector<Split> tops;
  std::vector<Split> bottoms;
  for (const int32_t n : num) {
    tops.push_back({n, {}});
  }
  for (const int32_t d : den) {
    bottoms.push_back({d, {}});
  }
  const auto share = [&](size_t i, size_t j) {
    if (i >= tops.size() || j >= bottoms.size()) {
      return;
    }
    const int32_t g = std::gcd(tops[i].rest, bottoms[j].rest);
    if (g > 1) {
      tops[i].rest /= g;
      bottoms[j].rest /= g;
      tops[i].divisors.push_back(g);
      bottoms[j].divisors.push_back(g);
    }
  };
  share(0, 0);
  share(1, 1);
  share(0, 1);
  share(1, 0);
  const auto written = [](const std::vector<Split>& splits) {
    ProductSide side;
    for (const Split& split : splits) {
      std::vector<int32_t>& term = side.emplace_back();
      if (split.rest > 1 || split.divisors.empty()) {
        term.push_back(split.rest);
      }
      term.insert(term.end(), split.divisors.begin(), split.divisors.end());
    }
    return side;
  };
  return {written(tops), written(bottoms)};
}

// A product's terms as factors, so that the common ones show on both
// sides of the bar: their prime factors, "(2×7×5×5)/(3×5×3×7)", while the
// line stays short, else their common divisors.
std::pair<ProductSide, ProductSide> FactorSplit(const std::vector<int32_t>& num,
                                                const std::vector<int32_t>& den) {
  ProductSide tops;
  ProductSide bottoms;
  for (const int32_t n : num) {
    tops.push_back(PrimeFactors(n));
  }
  for (const int32_t d : den) {
    bottoms.push_back(PrimeFactors(d));
  }
  if (FactorCount(tops) <= kMostPrimeFactorsPerSide &&
      FactorCount(bottoms) <= kMostPrimeFactorsPerSide) {
    return {tops, bottoms};
  }
  return CommonDivisorSplit(num, den);
}

// The factors of every term joined by "×", with the product's sign before
// the bar; a denominator without factors makes a whole number.
StepOperand ProductOperand(bool negative, const ProductSide& num, const ProductSide& den) {
  const auto joined = [](const ProductSide& side) {
    std::vector<StepFactor> factors;
    for (const std::vector<int32_t>& term : side) {
      for (const int32_t factor : term) {
        factors.push_back({factor, {}});
      }
    }
    return factors.empty() ? StepNumber{} : StepNumber{StepTerm{factors}};
  };
  return {negative, joined(num), joined(den), {}};
}

}  // namespace

RawResult AppendProductSteps(StepChain& chain, int32_t x, int32_t y, int32_t u, int32_t v) {
  const bool negative = (x < 0) != (u < 0);
  const std::vector<int32_t> num = {std::abs(x), std::abs(u)};
  std::vector<int32_t> den;
  for (const int32_t term : {y, v}) {
    if (term != 1) {
      den.push_back(term);
    }
  }
  ProductSide single_num;
  ProductSide single_den;
  for (const int32_t n : num) {
    single_num.push_back({n});
  }
  for (const int32_t d : den) {
    single_den.push_back({d});
  }
  chain.push_back(Single(ProductOperand(negative, single_num, single_den)));
  const int32_t product_num = num[0] * num[1];
  const int32_t product_den = y * v;
  const int32_t g = std::gcd(product_num, product_den);
  if (g > 1) {
    const auto [factors_num, factors_den] = FactorSplit(num, den);
    chain.push_back(Single(ProductOperand(negative, factors_num, factors_den)));
  }
  const int32_t p = (negative ? -product_num : product_num) / g;
  const int32_t q = product_den / g;
  chain.push_back(Single(FractionStep(p, q)));
  return {p, q};
}

RawResult AppendQuotientSteps(StepChain& chain, int32_t x, int32_t y, int32_t u, int32_t v) {
  // The inverse of u/v, its sign before the bar: -2/3 gives -3/2.
  const int32_t inverse_num = u < 0 ? -v : v;
  const int32_t inverse_den = std::abs(u);
  chain.push_back(
      Binary(FractionStep(x, y), StepOperator::kTimes, FractionStep(inverse_num, inverse_den)));
  return AppendProductSteps(chain, x, y, inverse_num, inverse_den);
}

WorkedSteps OperationKind::Steps(const OperationQuestion& q, const ExerciseOptions& options) const {
  StepChain chain{
      Binary(FractionStep(q.a, q.b), StepOperatorOf(operation), FractionStep(q.c, q.d))};
  RawResult raw{};
  switch (operation) {
    case Operation::kAdd:
    case Operation::kSubtract:
      raw = AppendSumSteps(chain, q, operation == Operation::kSubtract);
      break;
    case Operation::kMultiply:
      raw = AppendProductSteps(chain, q.a, q.b, q.c, q.d);
      break;
    case Operation::kDivide:
      raw = AppendQuotientSteps(chain, q.a, q.b, q.c, q.d);
      break;
  }
  AppendResult(chain, raw.num, raw.den, options);  // irreducible already after a product
  return {chain};
}

std::string_view OperationKind::OperatorText(const ExerciseOptions& options) const {
  switch (operation) {
    case Operation::kAdd:
      return " + ";
    case Operation::kSubtract:
      return " - ";
    case Operation::kMultiply:
      // A class reads the letter x as the unknown: a level writes the
      // textbooks' sign; "Libre" keeps the program's first pictures.
      return options.level == Level::kFree ? " x " : " \xD7 ";
    case Operation::kDivide:
      return DivisionOperatorText(options.division_sign);
  }
  throw std::invalid_argument("not one of the four operations");
}

std::vector<OperationQuestion> OperationKind::Draw(int32_t largest_term, int32_t count,
                                                   DrawingContext& context,
                                                   const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  const bool negative_results = operation != Operation::kSubtract || used.negatives;
  std::optional<RelatedDenominators> related;
  if (used.denominators == DenominatorRule::kMultiple) {
    related.emplace(largest_term);
  }

  const bool at_level = AtLevel(used);
  SheetShare whole_operands(count, kWholeOperandsOneIn);

  std::vector<OperationQuestion> questions;
  try {
    for (int position = 0; position < count; ++position) {
      for (AttemptBudget budget(position, count);; budget.Spend()) {
        OperationQuestion q = DrawTerms(largest_term, used, related, context.random);
        if (q.b == 1 && q.d == 1) {
          continue;  // two whole numbers are no fraction exercise
        }
        const bool whole_operand = q.b == 1 || q.d == 1;
        if (at_level && (!SuitsLevel(operation, q) || !whole_operands.Allows(whole_operand))) {
          continue;
        }
        RawResult raw = RawOperationResult(operation, q);
        if (raw.den < 0) {  // divided by a negative fraction
          raw = {-raw.num, -raw.den};
        }
        // A zero result reduces to 0/1, since Gcd3(0, den, den) is den.
        const int32_t g = context.gcd3(std::abs(raw.num), raw.den, raw.den);
        q.num = raw.num / g;
        q.den = raw.den / g;
        const bool acceptable =
            std::abs(q.num) < 1000 && q.den < 1000 && (negative_results || q.num >= 0);
        if (!acceptable || !context.table.StoreIfNew(position, QuestionKey(KeyNumbers(q)))) {
          continue;
        }
        whole_operands.Add(whole_operand);
        questions.push_back(q);
        break;
      }
    }
  } catch (const TooFewQuestions&) {
    if (!at_level) {
      throw;
    }
    throw TooFewQuestions(whole_operands.Available(static_cast<int32_t>(questions.size())), count);
  }
  return questions;
}

std::array<int32_t, 4> OperationKind::KeyNumbers(const OperationQuestion& q) const {
  return {q.a, q.b, q.c, q.d};
}

QuestionFields OperationKind::Fields(const OperationQuestion& q,
                                     const ExerciseOptions& options) const {
  return {{{"a", q.a}, {"b", q.b}, {"c", q.c}, {"d", q.d}, {"num", q.num}, {"den", q.den}},
          MixedForm(options, q.num, q.den)};
}

std::string OperationKind::Text(const OperationQuestion& q, const ExerciseOptions& options) const {
  return FractionText(q.a, q.b) + std::string(OperatorText(options)) + OperandText(q.c, q.d) +
         " = " + ResultText(options, q.num, q.den);
}

}  // namespace fractions
