#include "step_parts.h"

#include <cstdlib>
#include <numeric>
#include <utility>

namespace fractions {

StepOperand OverCommonDenominator(int32_t num, int32_t den, int32_t k) {
  return k == 1 ? FractionStep(num, den) : ExpandedStep(num, den, k);
}

void AppendResult(StepChain& chain, int32_t num, int32_t den, const ExerciseOptions& options) {
  const int32_t g = std::gcd(num, den);  // den when num is 0
  const int32_t p = num / g;
  const int32_t q = den / g;
  if (num != 0 && g > 1) {
    chain.push_back(Single(ExpandedStep(p, q, g)));
  }
  if (g > 1) {
    chain.push_back(Single(FractionStep(p, q)));
  }
  chain = WithoutRepeats(std::move(chain));
  if (const std::optional<MixedNumber> mixed = MixedForm(options, p, q)) {
    chain.push_back(
        Binary(FractionStep(mixed->whole, 1), StepOperator::kPlus, FractionStep(mixed->num, q)));
  }
}

}  // namespace fractions
