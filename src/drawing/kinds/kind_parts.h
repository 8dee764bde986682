#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What the drawing half of every exercise kind writes its questions with.
namespace fractions {

// A question's numbers under the names the command line's JSON gives them,
// in the order it lists them.
using QuestionFields = std::vector<std::pair<const char*, int32_t>>;

// A fraction as the answer key draws it: a whole number when its
// denominator is 1 ("7/4", "3").
std::string FractionText(int32_t num, int32_t den);

}  // namespace fractions
