#pragma once

#include <cstdint>

// The numbers of one question of each exercise type, as the drawing phases
// leave them for the pictures and the answer key. Results are irreducible
// with a positive denominator unless said otherwise.
namespace fractions {

// a/b op c/d = num/den.
struct OperationQuestion {
  int32_t a, b, c, d;
  int32_t num, den;
  friend bool operator==(const OperationQuestion&, const OperationQuestion&) = default;
};

// What carries the exponent of a power question. The numbers are part of
// the question's key and of the command line's listing.
enum class PowerForm : int32_t {
  kWholeFraction = 1,    // (a/b)^n
  kNumeratorOnly = 2,    // a^n/b
  kDenominatorOnly = 3,  // a/b^n
};

// The question shows a and b with `form` and `exponent`; p/q is the result.
struct PowerQuestion {
  int32_t a, b;
  int32_t p, q;
  PowerForm form;
  int32_t exponent;
  friend bool operator==(const PowerQuestion&, const PowerQuestion&) = default;
};

// a/b = p/q in lowest terms.
struct SimplificationQuestion {
  int32_t a, b;
  int32_t p, q;
  friend bool operator==(const SimplificationQuestion&, const SimplificationQuestion&) = default;
};

// a/b and c/d rewritten as p1/q1 and p2/q2 over the product of the reduced
// denominators (q1 == q2); the rewritten fractions are deliberately not reduced.
struct CommonDenominatorQuestion {
  int32_t a, b, c, d;
  int32_t p1, q1, p2, q2;
  friend bool operator==(const CommonDenominatorQuestion&,
                         const CommonDenominatorQuestion&) = default;
};

}  // namespace fractions
