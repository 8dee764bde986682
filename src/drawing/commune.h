#pragma once

#include <cstdint>

// Small arithmetic helpers shared by every exercise type.
namespace fractions {

// The largest of 0, a, b and c; never negative.
int32_t Max3(int32_t a, int32_t b, int32_t c);

// The largest i in 1..Max3(a, b, c) dividing a, b and c (a negative argument
// divides like its absolute value), or 1 when Max3(a, b, c) is 0. For
// arguments that are not negative and not all zero this is their greatest
// common divisor; Gcd3(0, y, y) is y.
int32_t Gcd3(int32_t a, int32_t b, int32_t c);

// base raised to e in wrapping 32-bit arithmetic; 1 when e is 0 or negative.
int32_t IntPower(int32_t base, int32_t e);

}  // namespace fractions
