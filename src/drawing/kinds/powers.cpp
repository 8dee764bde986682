#include "powers.h"

#include <numeric>

#include "level_rules.h"
#include "step_parts.h"

namespace fractions {

namespace {

// A question is only accepted with a base below this size.
constexpr int32_t kBaseSizeLimit = 32;

// One attempt at a question of a given form. base_size bounds the question;
// reduced_a/reduced_b are the whole fraction's terms in lowest terms (form 1).
struct Attempt {
  PowerQuestion question{};
  int32_t base_size = 0;
  int32_t reduced_a = 0;
  int32_t reduced_b = 0;
};

PowerForm FormFromDraw(int32_t f) {
  if (f <= 6) {
    return PowerForm::kWholeFraction;
  }
  return f == 7 ? PowerForm::kNumeratorOnly : PowerForm::kDenominatorOnly;
}

void ReduceWholeFraction(Attempt& attempt, DrawingContext& context) {
  const int32_t a = attempt.question.a;
  const int32_t b = attempt.question.b;
  const int32_t g = context.gcd3(a, b, b);
  attempt.reduced_a = a / g;
  attempt.reduced_b = b / g;
  attempt.base_size = Max3(attempt.reduced_a, attempt.reduced_b, attempt.reduced_b);
}

void DrawTermsAndBaseSize(Attempt& attempt, int32_t largest_term, DrawingContext& context) {
  PowerQuestion& q = attempt.question;
  q.a = context.random.Random(largest_term) + 1;
  q.b = context.random.Random(largest_term - 1) + 2;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      ReduceWholeFraction(attempt, context);
      break;
    case PowerForm::kNumeratorOnly:
      attempt.base_size = q.a;
      break;
    case PowerForm::kDenominatorOnly:
      attempt.base_size = q.b;
      break;
  }
}

int32_t DrawExponent(int32_t base_size, RandomSource& random) {
  const int32_t r = random.Random(20);
  if (r <= 17) {
    return ExponentForBaseSize(base_size, random);
  }
  return r == 18 ? 1 : 0;
}

// Exponents 0 and 1 make dull questions: three times in four, small terms
// are drawn instead with an exponent of 2 or 3. For forms 2 and 3 the base
// size keeps its first value, so a first term of 32 or more still rejects
// the attempt.
void RedrawLowExponent(Attempt& attempt, int32_t largest_term, DrawingContext& context) {
  RandomSource& random = context.random;
  if (random.Random(4) == 0) {
    return;
  }
  PowerQuestion& q = attempt.question;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      do {
        q.a = random.Random(20) + 1;
        q.b = random.Random(19) + 2;
        ReduceWholeFraction(attempt, context);
      } while (attempt.base_size >= 10);
      break;
    case PowerForm::kNumeratorOnly:
      q.a = random.Random(9) + 1;
      q.b = random.Random(largest_term - 1) + 2;
      break;
    case PowerForm::kDenominatorOnly:
      q.a = random.Random(largest_term);  // zero included
      q.b = random.Random(8) + 2;
      break;
  }
  q.exponent = 2 + random.Random(2);
}

// At a level: exponents 2 to 4, 5 in 3e, and up to this many pairs of
// terms drawn for one exponent before the attempt gives up.
constexpr int kLevelTermDraws = 20;

int32_t LargestLevelExponent(Level level) {
  return level == Level::k3e ? 5 : 4;
}

// base^e below `limit`, in 64 bits: terms up to 500 and exponents up to 5
// stay far within them.
bool PowerBelow(int32_t base, int32_t e, int64_t limit) {
  int64_t power = 1;
  for (int32_t i = 0; i < e; ++i) {
    power *= base;
  }
  return power < limit;
}

// An attempt at a level: an exponent, then terms within the largest term
// until the question suits it: no (n/n)^k, no 1^k, and every power the
// answer works out below 1000. False when none did.
bool DrawLevelAttempt(Attempt& attempt, int32_t largest_term, int32_t largest_exponent,
                      DrawingContext& context) {
  PowerQuestion& q = attempt.question;
  RandomSource& random = context.random;
  q.exponent = 2 + random.Random(largest_exponent - 1);
  for (int draws = 0; draws < kLevelTermDraws; ++draws) {
    q.a = random.Random(largest_term) + 1;
    q.b = random.Random(largest_term - 1) + 2;
    switch (q.form) {
      case PowerForm::kWholeFraction:
        if (q.a == q.b) {
          continue;
        }
        ReduceWholeFraction(attempt, context);
        break;
      case PowerForm::kNumeratorOnly:
        if (q.a == 1) {
          continue;
        }
        attempt.base_size = q.a;
        break;
      case PowerForm::kDenominatorOnly:
        attempt.base_size = q.b;
        break;
    }
    if (PowerBelow(attempt.base_size, q.exponent, 1000)) {
      return true;
    }
  }
  return false;
}

void ComputeResult(Attempt& attempt, DrawingContext& context) {
  PowerQuestion& q = attempt.question;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      q.p = IntPower(attempt.reduced_a, q.exponent);
      q.q = IntPower(attempt.reduced_b, q.exponent);
      break;
    case PowerForm::kNumeratorOnly: {
      const int32_t x = IntPower(q.a, q.exponent);
      const int32_t g = context.gcd3(x, q.b, q.b);
      q.p = x / g;
      q.q = q.b / g;
      break;
    }
    case PowerForm::kDenominatorOnly: {
      const int32_t y = IntPower(q.b, q.exponent);
      const int32_t g = context.gcd3(q.a, y, y);  // a = 0 gives 0/1
      q.p = q.a / g;
      q.q = y / g;
      break;
    }
  }
}

StepOperand Raised(StepOperand operand, int32_t exponent) {
  operand.power = exponent;
  return operand;
}

// A fraction of powers, x^n/y, x/y^n or x^n/y^n.
StepOperand PowersStep(StepFactor x, StepFactor y) {
  StepOperand operand = FractionStep(0, 1);
  operand.num = {StepTerm{{x}}};
  operand.den = {StepTerm{{y}}};
  return operand;
}

// (a/b)^n = a^n/b^n = p/q; a/b reduced first when it reduces, so that no
// power grows beyond the result's: (400/200)^9 is 2^9, not 400^9/200^9.
void AppendWholeFractionSteps(StepChain& chain, const PowerQuestion& q) {
  const int32_t g = std::gcd(q.a, q.b);
  const int32_t a = q.a / g;
  const int32_t b = q.b / g;
  if (g > 1) {
    chain.push_back(Single(Raised(ExpandedStep(a, b, g), q.exponent)));
    chain.push_back(Single(Raised(FractionStep(a, b), q.exponent)));
  }
  if (b != 1) {  // a whole number's power is the step before, "2^3"
    chain.push_back(Single(PowersStep({a, q.exponent}, {b, q.exponent})));
  }
  chain.push_back(Single(FractionStep(q.p, q.q)));
}

}  // namespace

int32_t ExponentForBaseSize(int32_t base_size, RandomSource& random) {
  if (base_size <= 2) {
    return 4 + random.Random(6);
  }
  if (base_size == 3) {
    return 3 + random.Random(4);
  }
  if (base_size <= 5) {
    return 3 + random.Random(2);
  }
  if (base_size <= 9) {
    return 2 + random.Random(2);
  }
  return base_size < kBaseSizeLimit ? 2 : 1;
}

std::vector<PowerQuestion> PowerKind::Draw(int32_t largest_term, int32_t count,
                                           DrawingContext& context,
                                           const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  const bool at_level = AtLevel(options);
  const int32_t largest_exponent = LargestLevelExponent(options.level);

  std::vector<PowerQuestion> questions;
  for (int position = 0; position < count; ++position) {
    // The form is drawn once per position and kept through every rejection.
    const PowerForm form = FormFromDraw(context.random.Random(9));
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      Attempt attempt;
      attempt.question.form = form;
      if (at_level) {
        if (!DrawLevelAttempt(attempt, largest_term, largest_exponent, context)) {
          continue;
        }
      } else {
        DrawTermsAndBaseSize(attempt, largest_term, context);
        attempt.question.exponent = DrawExponent(attempt.base_size, context.random);
        if (attempt.question.exponent <= 1) {
          RedrawLowExponent(attempt, largest_term, context);
        }
      }
      ComputeResult(attempt, context);
      const PowerQuestion& q = attempt.question;
      const bool acceptable = q.p < 1000 && q.q < 1000 && attempt.base_size < kBaseSizeLimit;
      if (!acceptable || !context.table.StoreIfNew(position, QuestionKey(KeyNumbers(q)))) {
        continue;
      }
      questions.push_back(q);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 4> PowerKind::KeyNumbers(const PowerQuestion& q) const {
  return {q.a, q.b, static_cast<int32_t>(q.form), q.exponent};
}

QuestionFields PowerKind::Fields(const PowerQuestion& q, const ExerciseOptions& options) const {
  return {{{"a", q.a},
           {"b", q.b},
           {"form", static_cast<int32_t>(q.form)},
           {"exp", q.exponent},
           {"num", q.p},
           {"den", q.q}},
          MixedForm(options, q.p, q.q)};
}

WorkedSteps PowerKind::Steps(const PowerQuestion& q, const ExerciseOptions& options) const {
  StepChain chain;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      chain.push_back(Single(Raised(FractionStep(q.a, q.b), q.exponent)));
      AppendWholeFractionSteps(chain, q);
      AppendResult(chain, q.p, q.q, options);
      break;
    case PowerForm::kNumeratorOnly: {
      // Below 1000: the drawing keeps small bases with small exponents.
      const int32_t power = IntPower(q.a, q.exponent);
      chain.push_back(Single(PowersStep({q.a, q.exponent}, {q.b, {}})));
      chain.push_back(Single(FractionStep(power, q.b)));
      AppendResult(chain, power, q.b, options);
      break;
    }
    case PowerForm::kDenominatorOnly: {
      const int32_t power = IntPower(q.b, q.exponent);
      chain.push_back(Single(PowersStep({q.a, {}}, {q.b, q.exponent})));
      chain.push_back(Single(FractionStep(q.a, power)));
      AppendResult(chain, q.a, power, options);
      break;
    }
  }
  return {chain};
}

std::string PowerKind::Text(const PowerQuestion& q, const ExerciseOptions& options) const {
  const std::string a = std::to_string(q.a);
  const std::string b = std::to_string(q.b);
  const std::string n = std::to_string(q.exponent);
  std::string power;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      power = "(" + a + "/" + b + ")^" + n;
      break;
    case PowerForm::kNumeratorOnly:
      power = a + "^" + n + "/" + b;
      break;
    case PowerForm::kDenominatorOnly:
      power = a + "/" + b + "^" + n;
      break;
  }
  return power + " = " + ResultText(options, q.p, q.q);
}

}  // namespace fractions
