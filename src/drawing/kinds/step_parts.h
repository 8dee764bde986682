#pragma once

#include <cstdint>

#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"

// The steps the worked keys of several kinds end with.
namespace fractions {

// num/den written as it is when it is over `k` already (k = 1), else with
// both terms multiplied by k: "(2×4)/(3×4)", a whole number as (n×k)/k.
StepOperand OverCommonDenominator(int32_t num, int32_t den, int32_t k);

// After an expression worth num/den (den > 0) written with those terms:
// the simplification step when the fraction reduces, "= (p×g)/(q×g) = p/q"
// with g their greatest common divisor (a whole result ends as a whole
// number, a zero one as 0); then, when the options ask for it, the mixed
// form of the result, "= 1 + 3/4". The steps that only write the step
// before again are left out first (WithoutRepeats), the key last.
void AppendResult(StepChain& chain, int32_t num, int32_t den, const ExerciseOptions& options);

}  // namespace fractions
